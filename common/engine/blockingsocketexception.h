#pragma once

#include <stdexcept>
#include <string>

// The failure of one socket operation: the operation's name ("Connect", "Receive timeout", ...) and the
// errno it left (0 for a time-out). Thrown by value by CBlockingSocket; callers turn it into an
// EngineErrorCode.
class CBlockingSocketException : public std::runtime_error {
public:
    CBlockingSocketException(const std::string& operation, int errorCode);

    const std::string& Operation() const { return m_operation; }
    int ErrorCode() const { return m_errorCode; }
    // The wait was cut short by CBlockingSocket::Interrupt from another thread.
    bool IsInterrupted() const;

    // "<operation> error #<code>", or "<operation> error" when the code is 0.
    std::string ErrorMessage() const;
    // The same text written into a buffer of `size` bytes, cut to size - 1 characters; true.
    bool GetErrorMessage(char* buffer, std::size_t size) const;

private:
    std::string m_operation;
    int m_errorCode;
};
