#pragma once
// Error objects: every error carries one message text (UTF-8). The floating-point
// fault classes live here because the model raises them; the front end adds its own.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    virtual const char* ClassName() const noexcept { return "Exception"; }

    std::string Message;
};

#define KELVARO_EXCEPTION_CLASS(Name, Base)                                                                            \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        using Base::Base;                                                                                              \
        const char* ClassName() const noexcept override { return #Name; }                                              \
    }

KELVARO_EXCEPTION_CLASS(EMathError, Exception);
KELVARO_EXCEPTION_CLASS(EInvalidOp, EMathError);
KELVARO_EXCEPTION_CLASS(EZeroDivide, EMathError);
KELVARO_EXCEPTION_CLASS(EOverflow, EMathError);

inline constexpr const char* kInvalidOpMessage = "Fehler bei Gleitkomma-Operation";
inline constexpr const char* kZeroDivideMessage = "Gleitkommadivision durch Null";
inline constexpr const char* kOverflowMessage = "Überlauf bei Gleitkomma-Operation";
