#include "sqlname.h"

namespace {

constexpr int kMaxSqlNameLength = 63;  // PostgreSQL's longest name

bool IsPlainName(const QString& name, int maxLength)
{
    if (name.isEmpty() || name.size() > maxLength)
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool plain = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'_';
        if (!plain)
            return false;
    }
    return true;
}

}  // namespace

bool IsValidPbxIdentifier(const QString& identifier) { return IsPlainName(identifier, kMaxPbxIdentifierLength); }

bool IsValidSqlName(const QString& name) { return IsPlainName(name, kMaxSqlNameLength); }

QString EscapeLike(const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}
