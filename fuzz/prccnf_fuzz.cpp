// PrcCnf.psx with any bytes changed: a file that loads saves back to the same bytes' meaning, and holds
// no price that is not a number. The file's size is fixed, so the input is a list of patches on a good
// file: 3 bytes of offset (high first), 1 byte of length, then that many bytes.
#include "binaryrecord.h"
#include "ratingconfigurationfile.h"

#include <cmath>
#include <cstdlib>

namespace {

const QByteArray& GoodFile()
{
    static const QByteArray file = EncodeRatingConfiguration(RatingConfiguration(), kRatingFileTag);
    return file;
}

bool AllFinite(const RatingConfiguration& configuration)
{
    for (int t = 0; t < configuration.tariffs.Count(); ++t) {
        const TariffRecord& tariff = configuration.tariffs.tariffs[t];
        if (!std::isfinite(tariff.coveredSeconds) || !std::isfinite(tariff.answerCharge) ||
            !std::isfinite(tariff.pulseCost))
            return false;
        for (const TariffDay& day : tariff.days)
            for (const TariffBand& band : day.bands)
                if (!std::isfinite(band.start) || !std::isfinite(band.end) || !std::isfinite(band.value))
                    return false;
    }
    for (int slot = 0; slot < configuration.variations.count; ++slot)
        if (!std::isfinite(configuration.variations.values[slot]))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray file = GoodFile();
    std::size_t i = 0;
    // The first byte may cut the file to the older size, where the variations block is missing.
    if (size > 0 && data[0] == 0xFF) {
        file.truncate(kVariationsOffset);
        PutF64(file, 0, kRatingFileOlderTag);
        i = 1;
    }
    while (i + 4 <= size) {
        const qsizetype offset = (qsizetype{data[i]} << 16 | qsizetype{data[i + 1]} << 8 | data[i + 2]) % file.size();
        const std::size_t length = data[i + 3];
        i += 4;
        for (std::size_t k = 0; k < length && i < size; ++k, ++i)
            file[(offset + static_cast<qsizetype>(k)) % file.size()] = static_cast<char>(data[i]);
    }
    RatingConfiguration configuration;
    if (DecodeRatingConfiguration(file, kRatingFileOlderTag, kRatingFileTag, configuration) != RatingFileResult::Ok)
        return 0;
    if (!AllFinite(configuration))
        std::abort();
    RatingConfiguration reread;
    if (DecodeRatingConfiguration(EncodeRatingConfiguration(configuration, kRatingFileTag), kRatingFileOlderTag,
                                  kRatingFileTag, reread) != RatingFileResult::Ok ||
        EncodeRatingConfiguration(reread, kRatingFileTag) != EncodeRatingConfiguration(configuration, kRatingFileTag))
        std::abort();
    return 0;
}
