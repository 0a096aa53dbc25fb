#pragma once

#include <QtGlobal>

#include <array>
#include <numeric>

namespace lodgix {

// How a stay's account is split over the (up to) four documents of a check-out: the number of lines of
// documents 1 to 4. The lines themselves lie in one vector, document 1's first, then 2's, 3's and 4's.
struct DocumentLineCounts {
    static constexpr int kDocuments = 4;

    std::array<quint16, kDocuments> lines{};

    int Total() const { return std::accumulate(lines.begin(), lines.end(), 0); }
    // Where document k's lines begin in the vector (k from 0).
    int First(int document) const
    {
        return std::accumulate(lines.begin(), lines.begin() + document, 0);
    }

    friend bool operator==(const DocumentLineCounts&, const DocumentLineCounts&) = default;
};

}  // namespace lodgix
