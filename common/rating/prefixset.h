#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

// The prefixes of one group, built once, answering whether a number begins with one of them in one walk
// along the number: a trie on the digits 0-9, with any prefix holding another character kept aside and
// compared as text (such prefixes are rare).
class PrefixSet {
public:
    void Add(const QString& prefix);
    bool BeginsAny(QStringView number) const;

private:
    static constexpr std::int32_t kNoChild = 0;  // node 0 is the root, never anyone's child

    struct Node {
        std::array<std::int32_t, 10> children{};
        bool ends = false;  // a prefix ends here
    };

    std::vector<Node> m_nodes{Node{}};
    std::vector<QString> m_others;  // prefixes that are not all digits
};
