#include "tarivowindow.h"

#include "folders.h"
#include "suiteipc.h"

#include <bit>

namespace {

const QString kTarivo = QStringLiteral("Tarivo");

}  // namespace

bool FindTarivoWindow()
{
    return SuiteIpc::Find(SuiteIpc::Key::WindowClass, kTarivo);
}

bool PostToTarivo(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    return SuiteIpc::Post(SuiteIpc::Key::WindowClass, kTarivo, message, wParam, lParam);
}

bool PostDateToTarivo(std::uint32_t message, const OleDate& date)
{
    const auto bits = std::bit_cast<std::uint64_t>(date.Value());
    return PostToTarivo(message, bits & 0xFFFFFFFFu, static_cast<std::int64_t>(bits >> 32));
}

QString TarivoProgramFolder()
{
    return GetSuiteFolder() + kTarivo + u'/';
}

QString TarivoProgramPath()
{
    return TarivoProgramFolder() + kTarivo;
}
