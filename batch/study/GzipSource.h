#pragma once
// The text inside gzip data (zlib), inflated block by block from another source of bytes.
// Members may follow each other; data that ends inside a member or is no gzip raises EDataError.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

class TGzipSource {
public:
    // `read` fills a buffer with the compressed bytes that come next and returns their count, 0 at
    // the end; `name` is the file in messages.
    TGzipSource(std::string name, std::function<std::size_t(char*, std::size_t)> read);
    ~TGzipSource();
    TGzipSource(const TGzipSource&) = delete;
    TGzipSource& operator=(const TGzipSource&) = delete;

    // Inflates up to `size` bytes into `data`; 0 at the end of the last member.
    std::size_t Read(char* data, std::size_t size);

private:
    struct TStream;

    std::string FName;
    std::function<std::size_t(char*, std::size_t)> FRead;
    std::unique_ptr<TStream> FStream;
    std::string FInput;
    bool FInMember = false;
    bool FAnyMember = false;
};
