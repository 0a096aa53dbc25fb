#include "gif89a.h"

#include <QMovie>

CGif89a::CGif89a(QWidget* parent) : QLabel(parent) { setAlignment(Qt::AlignCenter); }

CGif89a::~CGif89a() = default;

void CGif89a::SetFileName(const QString& path)
{
    m_fileName = path;
    clear();  // drops the label's hold on the previous animation
    delete m_movie;
    m_movie = nullptr;

    // The picture files carry the suite's own extension, so the format is named rather than guessed.
    auto movie = new QMovie(path, QByteArrayLiteral("gif"), this);
    if (!movie->isValid()) {
        delete movie;
        return;
    }
    m_movie = movie;
    setMovie(m_movie);
    m_movie->start();
}
