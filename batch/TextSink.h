#pragma once
// Where the runner's text goes: a standard stream, or a string in tests.
#include <cstdio>
#include <string>
#include <string_view>

class TTextSink {
public:
    virtual ~TTextSink() = default;
    virtual void Write(std::string_view text) = 0;
};

// Buffers writes to a C stream in large blocks; flushes when destroyed.
class TFileSink : public TTextSink {
public:
    explicit TFileSink(std::FILE* file) : file_(file) {}
    ~TFileSink() override { Flush(); }
    TFileSink(const TFileSink&) = delete;
    TFileSink& operator=(const TFileSink&) = delete;

    void Write(std::string_view text) override
    {
        buffer_.append(text);
        if (buffer_.size() >= kBlock)
            Flush();
    }
    void Flush()
    {
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
        std::fflush(file_);
        buffer_.clear();
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::FILE* file_;
    std::string buffer_;
};

class TStringSink : public TTextSink {
public:
    void Write(std::string_view text) override { Text.append(text); }
    std::string Text;
};
