#pragma once
// What the shell reports about an error object: its class name and message.
#include <QString>

struct TErrorInfo {
    QString ClassName;
    QString Message;
    bool Silent = false;  // EAbort: never shown
};

// Describes the exception currently being handled; call only inside a catch block.
// std::bad_alloc is reported as EOutOfMemory.
TErrorInfo DescribeCurrentException();
