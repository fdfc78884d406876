#pragma once

#include "model/project/CharSet.h"
#include "model/project/TextPool.h"
#include "source/writer/SrcSink.h"
#include "support/TempDir.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orv {

// Writes sections into a file of a fresh directory and gives back its bytes.
struct SrcWriterRig {
    explicit SrcWriterRig(uint16_t devType) { charSet.SetDevType(devType); }

    std::string Write(const std::function<void(CSrcSink&)>& fn)
    {
        CSrcSink sink(dir.File("out.orv"), &charSet);
        sink.Open();
        fn(sink);
        error = sink.GetError();
        leftOut = sink.GetLeftOut();
        sink.Commit();
        return dir.Read("out.orv");
    }

    TempDir dir;
    CTextPool pool{16, 8};
    CCharSet charSet{nullptr};
    uint16_t error = 0;
    int leftOut = 0;
};

} // namespace orv
