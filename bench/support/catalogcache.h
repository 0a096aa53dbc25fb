#pragma once

// One filled catalog per backend, made on the first run that asks and kept for the rest (filling takes
// longer than the runs). `Data` is made from its backend and keeps the filler's failure, empty on success.
// The catalogs go when the application ends, while QtSql is still there.

#include "testcatalog.h"

#include <QCoreApplication>
#include <QString>

#include <map>
#include <memory>

namespace benchsupport {

template <class Data>
class CatalogCache {
public:
    using Filler = QString (*)(Data&);
    explicit CatalogCache(Filler fill) : m_fill(fill)
    {
        s_live = this;
        qAddPostRoutine(&ClearLive);
    }
    ~CatalogCache() { s_live = nullptr; }
    CatalogCache(const CatalogCache&) = delete;
    CatalogCache& operator=(const CatalogCache&) = delete;

    Data& For(DbBackend backend)
    {
        auto& data = m_catalogs[backend];
        if (!data) {
            data = std::make_unique<Data>(backend);
            data->failure = m_fill(*data);
        }
        return *data;
    }
    void Clear() { m_catalogs.clear(); }

private:
    static void ClearLive()
    {
        if (s_live)
            s_live->Clear();
    }

    static inline CatalogCache* s_live = nullptr;
    Filler m_fill;
    std::map<DbBackend, std::unique_ptr<Data>> m_catalogs;
};

}  // namespace benchsupport
