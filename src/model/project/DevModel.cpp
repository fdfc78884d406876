// Picture and display geometry of each panel model kind for the main window's
// panel drawing.
#include "model/project/DevModel.h"

#include <array>
#include <cstddef>

namespace orv {

namespace {

struct KindRow {
    int32_t modelNo;
    DevGeometry geo;
};

// Kinds 7..9 are the "plus" variants of 0..2; kind 10, the light model, uses
// the picture of kind 1.
constexpr std::array<KindRow, CDevModel::kKinds> kKindRows = {{
    {14,  {398, 599, 126, 39, 220, 75, 4, 20, 8}},
    {43,  {799, 532, 77, 108, 576, 62, 2, 40, 8}},
    {47,  {662, 599, 82, 97, 455, 80, 4, 40, 16}},
    {755, {662, 599, 82, 97, 455, 80, 4, 40, 16}},
    {706, {800, 465, 67, 64, 490, 83, 2, 40, 20}},
    {473, {664, 600, 101, 99, 452, 58, 2, 40, 16}},
    {477, {664, 600, 81, 99, 452, 80, 4, 40, 16}},
    {118, {398, 599, 126, 39, 220, 75, 4, 20, 8}},
    {163, {800, 533, 77, 112, 570, 62, 2, 40, 8}},
    {167, {663, 596, 80, 99, 452, 80, 4, 40, 16}},
    {36,  {799, 532, 77, 108, 576, 62, 2, 40, 8}},
}};

bool IsKnownKind(int kind) { return kind >= 0 && kind < CDevModel::kKinds; }

}  // namespace

CDevModel::CDevModel(int kind) { SetKind(kind); }

void CDevModel::SetKind(int kind) {
    if (IsKnownKind(kind)) m_modelNo = kKindRows[static_cast<std::size_t>(kind)].modelNo;
    m_kind = kind;
    if (kind >= 0) SetGeometry();
}

void CDevModel::SetGeometry() {
    if (!IsKnownKind(m_kind)) return;
    m_geo = kKindRows[static_cast<std::size_t>(m_kind)].geo;
}

} // namespace orv
