#pragma once
// Where SystemLog writes when no capture is alive; standard error unless a test redirects it.

namespace ov::systemlog {

// Thread-safe. Answers the previous descriptor.
int exchangeOutputDescriptor(int fileDescriptor);

}  // namespace ov::systemlog
