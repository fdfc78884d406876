#include "model/PrjData.h"

CPrjData::CPrjData(PrjBundle* owner) : m_owner(owner) {}

CPrjData::~CPrjData() = default;
