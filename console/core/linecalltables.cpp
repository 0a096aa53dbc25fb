#include "linecalltables.h"

LineCallNumber* LineCallTables::CallNumber(int pbx, int line)
{
    return Holds(pbx, line) ? &m_callNumbers[static_cast<std::size_t>(pbx)][static_cast<std::size_t>(line)] : nullptr;
}

QString* LineCallTables::LastCallerId(int pbx, int line)
{
    return Holds(pbx, line) ? &m_lastCallerIds[static_cast<std::size_t>(pbx)][static_cast<std::size_t>(line)] : nullptr;
}
