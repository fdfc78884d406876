// The display editor's surroundings in the running program: the frame core's
// current navigator, its start selection and its dialogs.
#pragma once

#include "workspace/DspEdit.h"

namespace orv {

class CFrameCore;

class CDspFrameHost final : public CDspHost {
public:
    explicit CDspFrameHost(CFrameCore& core) : m_core(core) {}

    CPrjNumEntry* ActiveText() const override;
    int ListType() const override;
    int RowsPerText() const override;
    const DevRecord* Device() const override;
    bool IsValidChar(int code) const override;
    void CopyActiveText() override;
    std::optional<int> AskCopyRowNumber() override;
    void RunNavCommand(int id) override;
    void ReportVar(const CPrjVar* var) override;

private:
    CFrameCore& m_core;
};

} // namespace orv
