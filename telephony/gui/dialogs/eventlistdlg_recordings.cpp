// The event lists' recordings (call lists with the recorder present): the login against the voice box's
// users, playing, saving and deleting a call's recording, and the playback window.
#include "eventlistdlg.h"

#include "consolelogintexts.h"
#include "filedialogfilter.h"
#include "progressdlg.h"
#include "recorderftpclient.h"
#include "recordingplayer.h"
#include "recordprogressdlg.h"
#include "sortlistctrl.h"
#include "voicemailusers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace {

constexpr int kLoginAttempts = 3;
constexpr unsigned kTryAgainString = 1273;
constexpr unsigned kRefusedString = 1274;
constexpr unsigned kFileFailedString = 10127;
constexpr int kAdministrator = 0;  // the first user of the voice box's table
const QString kUsersFileName = QStringLiteral("UserPwd.dat");
// Each play downloads to a file of its own, so that two plays or two consoles never share one.
const QString kRecordingTemplate = QStringLiteral("FonivraRecording-XXXXXX.wav");
const QString kWaveFilter = QStringLiteral("wave file (*.wav)|*.wav||");
const QString kWaveSuffix = QStringLiteral(".wav");

}  // namespace

const RecordingInfo* CEventListDlg::SelectedRecording() const
{
    const Row* row = RowAt(SelectedPosition());
    if (!row || !row->recording || *row->recording >= m_recordings.size())
        return nullptr;
    return &m_recordings[*row->recording];
}

bool CEventListDlg::Login(bool administrator)
{
    if (!m_context.recorder)
        return false;
    CVoiceMailUsers users;
    {
        // The table goes to a folder of its own, removed with everything in it.
        QTemporaryDir folder;
        if (!folder.isValid() || !m_context.recorder->DownloadVoiceMailUsers(folder.filePath(kUsersFileName), users)) {
            Message(kRefusedString);
            return false;
        }
    }
    if (users.GetCount() == 0) {
        Message(kRefusedString);
        return false;
    }
    for (int attempt = 1; attempt <= kLoginAttempts; ++attempt) {
        CLoginDlg dialog(ConsoleLoginTexts(), this);
        if (m_hooks.runDialog(dialog) != QDialog::Accepted)
            return false;
        const int user = users.FindUser(dialog.UserName(), dialog.Password());
        if (user != CVoiceMailUsers::kNotFound && (!administrator || user == kAdministrator))
            return true;
        Message(attempt < kLoginAttempts ? kTryAgainString : kRefusedString);
    }
    return false;
}

void CEventListDlg::OnPlay()
{
    const RecordingInfo* recording = SelectedRecording();
    if (!recording || m_progress || (m_player && m_player->IsPlaying()) || !Login(false))
        return;
    QTemporaryFile file(QDir::temp().filePath(kRecordingTemplate));
    file.setAutoRemove(false);
    if (!file.open()) {
        Message(kFileFailedString);
        return;
    }
    const QString path = file.fileName();
    file.close();
    bool fetched = false;
    {
        CProgressDlg progress(CRecorderFtpClient::kProgressCaptionString);
        progress.CreateModeless(this);
        fetched = m_context.recorder->DownloadRecording(*recording, path, [&progress](const QString& text, int percent) {
            progress.SetStatusText(text);
            progress.SetProgress(percent);
            return !progress.TakeCancelRequest();
        });
    }
    if (!m_player)
        m_player = std::make_unique<CRecordingPlayer>(m_target, m_stop);
    if (!fetched || !m_player->Start(path)) {
        QFile::remove(path);
        Message(kFileFailedString);
    }
}

void CEventListDlg::OnSaveRecording()
{
    const RecordingInfo* recording = SelectedRecording();
    if (!recording || !Login(false))
        return;
    int filterIndex = 0;
    QString path = m_hooks.saveFileName(QString(), FileDialogFilter(kWaveFilter), filterIndex);
    if (path.isEmpty())
        return;
    if (!path.endsWith(kWaveSuffix, Qt::CaseInsensitive))
        path += kWaveSuffix;
    bool fetched = false;
    {
        CProgressDlg progress(CRecorderFtpClient::kProgressCaptionString);
        progress.CreateModeless(this);
        fetched = m_context.recorder->DownloadRecording(*recording, path, [&progress](const QString& text, int percent) {
            progress.SetStatusText(text);
            progress.SetProgress(percent);
            return !progress.TakeCancelRequest();
        });
    }
    if (!fetched)
        Message(kFileFailedString);
}

void CEventListDlg::OnDeleteRecording()
{
    const RecordingInfo* recording = SelectedRecording();
    if (!recording || !Login(true))
        return;
    if (!m_context.recorder->DeleteRecording(*recording))
        Message(kFileFailedString);
    m_target.Post(WM_COMMAND, kRefresh, 0);
}

void CEventListDlg::OnPlayerStarted(std::uint64_t seconds)
{
    if (m_progress)
        return;
    m_progress = new CRecordProgressDlg(static_cast<std::uint16_t>(std::min<std::uint64_t>(seconds, UINT16_MAX)), m_stop, this);
    m_progress->show();
    m_progress->move(geometry().center() - m_progress->rect().center());
}

void CEventListDlg::OnPlayerTick(std::uint64_t seconds)
{
    if (m_progress)
        m_progress->SetElapsed(static_cast<std::uint16_t>(std::min<std::uint64_t>(seconds, UINT16_MAX)));
}

void CEventListDlg::OnPlayerEnded()
{
    delete m_progress;
    m_progress = nullptr;
    if (m_player)
        m_player->Join();
}

CRecordProgressDlg* CEventListDlg::PlaybackWindow() const
{
    return m_progress;
}
