// The one way a failed system call is reported: its name, what it was for,
// and the error code the calling thread holds.
#pragma once

// Logs at LOG_ERROR "<call> failed, error <code>", or "<call> failed for
// <subject>, error <code>" when `subject` is given, with the last error code
// read before anything else can change it. Returns false, so a failure path
// can end with `return LogLastError("RegisterClassA", name);`.
// REQUIRES: called straight after the failed call, on the same thread.
bool LogLastError(const char* call, const char* subject = nullptr);
