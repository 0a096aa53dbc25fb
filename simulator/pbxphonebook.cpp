#include "pbxphonebook.h"

using namespace PbxDirectory;

namespace {

bool InBook(const QList<QByteArray>& book, int position) { return position >= 0 && position < book.size(); }

}  // namespace

PbxPhoneBook::PbxPhoneBook() : m_common(kCommonPositions), m_global(kGlobalPositions) {}

void PbxPhoneBook::Resize(int common, int personal, int globalHigh)
{
    m_globalHigh = globalHigh;
    m_personalSize = personal;
    m_common = QList<QByteArray>(common);
    m_global = QList<QByteArray>(globalHigh * 256 + (personal & 0xFF));
    m_personal.clear();
}

InfoBlock PbxPhoneBook::Info() const
{
    InfoBlock block{};
    block[0] = kSelector;
    block[1] = kInfoMark;
    const auto common = static_cast<int>(m_common.size());
    block[3] = static_cast<std::uint8_t>(m_globalHigh);
    block[4] = static_cast<std::uint8_t>(common & 0xFF);
    block[5] = static_cast<std::uint8_t>(common >> 8);
    block[6] = static_cast<std::uint8_t>(m_personalSize & 0xFF);
    block[7] = static_cast<std::uint8_t>(m_personalSize >> 8);
    return block;
}

std::optional<QByteArray> PbxPhoneBook::Common(int position) const
{
    if (!InBook(m_common, position))
        return std::nullopt;
    return m_common[position];
}

bool PbxPhoneBook::SetCommon(int position, const QByteArray& coded)
{
    if (!InBook(m_common, position))
        return false;
    m_common[position] = coded;
    return true;
}

std::optional<QByteArray> PbxPhoneBook::Entry(int book, int position) const
{
    if (book == kGlobalBook)
        return InBook(m_global, position) ? std::optional<QByteArray>(m_global[position]) : std::nullopt;
    if (position < 0 || position >= m_personalSize)
        return std::nullopt;
    const auto found = m_personal.constFind(book);
    return found == m_personal.constEnd() ? QByteArray() : (*found)[position];
}

bool PbxPhoneBook::SetEntry(int book, int position, const QByteArray& coded)
{
    if (book == kGlobalBook) {
        if (!InBook(m_global, position))
            return false;
        m_global[position] = coded;
        return true;
    }
    if (position < 0 || position >= m_personalSize)
        return false;
    auto found = m_personal.find(book);
    if (found == m_personal.end())
        found = m_personal.insert(book, QList<QByteArray>(m_personalSize));
    (*found)[position] = coded;
    return true;
}
