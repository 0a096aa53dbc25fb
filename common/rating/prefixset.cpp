#include "prefixset.h"

#include "rulematcher.h"

#include <algorithm>

namespace {

bool IsDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

void PrefixSet::Add(const QString& prefix)
{
    if (!IsDigits(prefix)) {
        m_others.push_back(prefix);
        return;
    }
    std::size_t node = 0;
    for (const QChar c : prefix) {
        const auto digit = static_cast<std::size_t>(c.unicode() - u'0');
        if (m_nodes[node].children[digit] == kNoChild) {
            m_nodes[node].children[digit] = static_cast<std::int32_t>(m_nodes.size());
            m_nodes.emplace_back();
        }
        node = static_cast<std::size_t>(m_nodes[node].children[digit]);
    }
    m_nodes[node].ends = true;
}

bool PrefixSet::BeginsAny(QStringView number) const
{
    std::size_t node = 0;
    for (qsizetype i = 0;; ++i) {
        if (m_nodes[node].ends)
            return true;
        if (i == number.size())
            break;
        const char16_t c = number[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        const std::int32_t child = m_nodes[node].children[static_cast<std::size_t>(c - u'0')];
        if (child == kNoChild)
            break;
        node = static_cast<std::size_t>(child);
    }
    return std::any_of(m_others.begin(), m_others.end(),
                       [number](const QString& prefix) { return NumberBeginsWith(number, prefix); });
}
