// The parser of a project load or append, which also reports what it changed
// and rebinds the project's driver items when it ends.
#pragma once

#include "source/reader/ParsOrv.h"

namespace orv {

// The parser that a project load or append creates. Besides the statements
// it reports at the end what it changed in the texts of the file, and when
// it goes it lets the project bind the driver items of the message texts and
// the variables afresh.
class CParsOrvLoad : public CParsOrv {
public:
    // load: the file replaces the project (else it is added to it).
    CParsOrvLoad(const std::string& fileName, bool load, const PrjBundle& bundle, ParseCancelFn cancel = {});
    ~CParsOrvLoad() override;
    CParsOrvLoad(const CParsOrvLoad&) = delete;
    CParsOrvLoad& operator=(const CParsOrvLoad&) = delete;

    bool Finish() override;

    // User characters of another panel were converted.
    void NoteCharsConverted() override { m_charsConverted = true; }

protected:
    void NoteRowsSplit() override { m_rowsSplit = true; }
    void NoteRowsJoined() override { m_rowsJoined = true; }
    bool DefHistSeen() const override { return m_defHistSeen; }
    void SetDefHistSeen() override { m_defHistSeen = true; }

private:
    bool m_defHistSeen = false;
    bool m_charsConverted = false;
    bool m_rowsSplit = false;
    bool m_rowsJoined = false;
};

} // namespace orv
