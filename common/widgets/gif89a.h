#pragma once

#include <QLabel>
#include <QString>

class QMovie;

// The animated picture of the popups and the wait notice: a label that plays the GIF named by its file
// name property from the first frame, looping as the file says. A file that is missing or no animation
// leaves the label empty.
class CGif89a : public QLabel {
    Q_OBJECT
public:
    explicit CGif89a(QWidget* parent = nullptr);
    ~CGif89a() override;

    void SetFileName(const QString& path);
    QString GetFileName() const { return m_fileName; }
    // The animation being shown, or null when the file could not be read.
    QMovie* Movie() const { return m_movie; }

private:
    QString m_fileName;
    QMovie* m_movie = nullptr;
};
