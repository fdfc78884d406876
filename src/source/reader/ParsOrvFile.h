// The first pass over a project source file: opens it and finds the panel its
// header names, before the real parse.
#pragma once

#include "model/core/ErrorSlot.h"
#include "model/core/Obj.h"
#include "source/reader/LineReader.h"

#include <cstdint>
#include <string>

namespace orv {

struct PrjBundle;

// Opens a project source file (for reading only) and finds the panel that
// its header names, before the real parse.
class CParsOrvFile : public CObj {
public:
    enum : uint16_t { ErrOpen = 11 };

    CParsOrvFile(const std::string& fileName, const PrjBundle& bundle);

    // True without error. The open error shows message 15105 and is
    // cleared; any error gives false.
    bool CheckError();
    uint16_t GetError() const { return m_error.Code(); }

    // The panel type the header names, 0 when none. With reset and a found
    // panel the project is emptied for the file (path set, message mode 0);
    // without a panel reset only sets the path.
    uint16_t GetModel(bool reset);

private:
    const PrjBundle& m_bundle;
    CLineReader m_file;
    std::string m_fileName;
    ErrorSlot m_error;
};

} // namespace orv
