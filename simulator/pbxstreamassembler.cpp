#include "pbxstreamassembler.h"

#include "pbxcode.h"
#include "pbxcommandclass.h"
#include "pbxframe.h"

PbxStreamAssembler::PbxStreamAssembler(CodeFilter acceptsCode, qint64 gapMs)
    : m_acceptsCode(std::move(acceptsCode)), m_gapMs(gapMs)
{
}

void PbxStreamAssembler::Restart()
{
    m_skipped += static_cast<int>(m_buffer.size());
    m_buffer.clear();
}

QList<QByteArray> PbxStreamAssembler::Feed(const QByteArray& bytes, qint64 nowMs)
{
    QList<QByteArray> frames;
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (!m_buffer.isEmpty() && nowMs - m_lastByteMs >= m_gapMs)
            Restart();
        m_lastByteMs = nowMs;

        const qsizetype position = m_buffer.size();
        if (position < 2) {
            // A sync byte, or the first byte of a new hunt.
            if (byte == kPbxSync) {
                m_buffer.append(c);
            } else {
                Restart();
                ++m_skipped;
            }
            continue;
        }
        if (position == static_cast<qsizetype>(kPbxCodeOffset)) {
            if (byte == kPbxSync) {
                // A third sync byte: the first one was noise.
                ++m_skipped;
            } else if (m_acceptsCode(byte)) {
                m_buffer.append(c);
            } else {
                Restart();
                ++m_skipped;
            }
            continue;
        }
        m_buffer.append(c);
        const qsizetype total = static_cast<qsizetype>(kPbxFrameHeaderSize) +
                                static_cast<std::uint8_t>(m_buffer.at(kPbxPayloadLengthOffset));
        if (m_buffer.size() == total) {
            frames.append(m_buffer);
            m_buffer.clear();
        }
    }
    return frames;
}

bool IsPbxCommandCode(std::uint8_t code)
{
    return IsPbxRequestCode(code) || IsNoAnswerCommand(code) || code == PbxCode::kKeys;
}
