#include "blockingsocketexception.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string MessageOf(const std::string& operation, int errorCode)
{
    return errorCode != 0 ? operation + " error #" + std::to_string(errorCode) : operation + " error";
}

}  // namespace

CBlockingSocketException::CBlockingSocketException(const std::string& operation, int errorCode)
    : std::runtime_error(MessageOf(operation, errorCode)), m_operation(operation), m_errorCode(errorCode)
{
}

bool CBlockingSocketException::IsInterrupted() const
{
    return m_errorCode == EINTR;
}

std::string CBlockingSocketException::ErrorMessage() const
{
    return MessageOf(m_operation, m_errorCode);
}

bool CBlockingSocketException::GetErrorMessage(char* buffer, std::size_t size) const
{
    if (!buffer || size == 0)
        return true;
    const std::string text = ErrorMessage();
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return true;
}
