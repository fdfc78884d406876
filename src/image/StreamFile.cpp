#include "image/StreamFile.h"

#include "model/Log.h"

bool StreamFile::Open(const std::string& path, const char* mode, const char* module)
{
    Close();
    m_stream = std::fopen(path.c_str(), mode);
    if (!m_stream)
        return false;
    LogLine(kLogDebug, "Open %s %s OK", module, path.c_str());
    return true;
}

bool StreamFile::Close()
{
    if (!m_stream)
        return true;
    const bool ok = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    return ok;
}
