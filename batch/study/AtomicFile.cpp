#include "batch/study/AtomicFile.h"

#include <cstring>
#include <stdexcept>
#include <unistd.h>

TAtomicFile::TAtomicFile(std::string path)
    : FPath(std::move(path)), FTemporary(FPath + ".tmp" + std::to_string(getpid()))
{
    FFile = std::fopen(FTemporary.c_str(), "wb");
    if (!FFile)
        throw std::runtime_error("kann " + FTemporary + " nicht anlegen: " + std::strerror(errno));
    FSink = std::make_unique<TFileSink>(FFile);
}

TAtomicFile::~TAtomicFile()
{
    if (!FFile)
        return;
    FSink.reset();
    std::fclose(FFile);
    std::remove(FTemporary.c_str());
}

void TAtomicFile::Commit()
{
    FSink->Flush();
    FSink.reset();
    const bool written = std::ferror(FFile) == 0;
    const bool closed = std::fclose(FFile) == 0;
    FFile = nullptr;
    if (!written || !closed || std::rename(FTemporary.c_str(), FPath.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(FTemporary.c_str());
        throw std::runtime_error("kann " + FPath + " nicht schreiben: " + reason);
    }
}
