#include "simulatorcontrol.h"

#include "engineerrorcode.h"
#include "framebytes.h"
#include "pbxeventbuilder.h"
#include "pbxsimulator.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

constexpr int kMaxByte = 255;
constexpr int kMaxDelayMs = 600000;
constexpr int kMaxCallSeconds = 24 * 3600 - 1;

// A command that cannot run: its reply text.
struct CommandError {
    QString text;
};

[[noreturn]] void Fail(const QString& text) { throw CommandError{text}; }

const QStringList& ObjectNames()
{
    static const QStringList names = {QStringLiteral("system"), QStringLiteral("extension"), QStringLiteral("line"),
                                      QStringLiteral("entryphone"), QStringLiteral("relay")};
    return names;
}

void NeedWords(const QStringList& words, int count)
{
    if (words.size() < count)
        Fail(QStringLiteral("%1 needs more arguments").arg(words.first()));
}

int Number(const QString& word, int minimum, int maximum, const char* what)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        Fail(QStringLiteral("%1 must be a number from %2 to %3: %4").arg(QLatin1String(what)).arg(minimum).arg(maximum).arg(word));
    return value;
}

std::uint8_t ByteValue(const QString& word, const char* what)
{
    return static_cast<std::uint8_t>(Number(word, 0, kMaxByte, what));
}

// 0-4 or the kind's name (system, extension, line, entryphone, relay).
std::uint8_t ObjectType(const QString& word)
{
    const qsizetype named = ObjectNames().indexOf(word.toLower());
    if (named >= 0)
        return static_cast<std::uint8_t>(named);
    return static_cast<std::uint8_t>(Number(word, kObjectSystem, kObjectRelay, "object type"));
}

int Extension(const PbxModel& model, const QString& word)
{
    const int extension = Number(word, 0, kMaxByte, "extension");
    if (!model.HasObject(kObjectExtension, extension))
        Fail(QStringLiteral("no extension %1").arg(extension));
    return extension;
}

bool OnOff(const QString& word)
{
    if (word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("off"))
        return false;
    Fail(QStringLiteral("expected on or off: %1").arg(word));
}

QString Digits(const QString& word, const QString& allowed)
{
    for (const QChar c : word) {
        if (!allowed.contains(c))
            Fail(QStringLiteral("not a number to dial: %1").arg(word));
    }
    return word;
}

QByteArray Hex(const QStringList& words, int from)
{
    const QString text = words.mid(from).join(QString());
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    if (!hex.match(text).hasMatch())
        Fail(QStringLiteral("bytes must be pairs of hex digits: %1").arg(text));
    return QByteArray::fromHex(text.toLatin1());
}

QDateTime DateTime(const QString& date, const QString& time)
{
    const QDateTime value = QDateTime::fromString(date + u' ' + time, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!value.isValid() || value.date().year() < 2000 || value.date().year() > 2255)
        Fail(QStringLiteral("expected YYYY-MM-DD HH:MM:SS from 2000 to 2255: %1 %2").arg(date, time));
    return value;
}

const QString kDialDigits = QStringLiteral("0123456789");
const QString kKeypadDigits = QStringLiteral("0123456789*#");

}  // namespace

QString SimulatorControl::Execute(const QString& line)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    const QString trimmed = line.trimmed();
    const QStringList words = trimmed.split(spaces, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("ERROR empty command");
    const QString& command = words.first();
    try {
        if (command == QLatin1String("help"))
            return QStringLiteral("OK status set reporting offhook onhook hangup digits connect call ring "
                                  "wakeup-call alarm calllog event send fault faults frames quit");
        if (command == QLatin1String("status"))
            return Status();
        if (command == QLatin1String("set"))
            return Set(words, trimmed);
        if (command == QLatin1String("reporting"))
            return Reporting(words);
        if (command == QLatin1String("offhook") || command == QLatin1String("onhook") ||
            command == QLatin1String("hangup") || command == QLatin1String("digits") ||
            command == QLatin1String("connect"))
            return ExtensionCommand(words);
        if (command == QLatin1String("call"))
            return PlaceCall(words);
        if (command == QLatin1String("ring"))
            return Ring(words);
        if (command == QLatin1String("wakeup-call"))
            return WakeUpCall(words);
        if (command == QLatin1String("alarm"))
            return Alarm(words);
        if (command == QLatin1String("calllog"))
            return CallLog(words);
        if (command == QLatin1String("event"))
            return Event(words);
        if (command == QLatin1String("send"))
            return Send(words);
        if (command == QLatin1String("fault"))
            return Fault(words);
        if (command == QLatin1String("faults"))
            return QStringLiteral("OK ") + m_simulator.Faults().Describe();
        if (command == QLatin1String("frames"))
            return Frames(words);
        if (command == QLatin1String("quit")) {
            m_quit = true;
            return QStringLiteral("OK bye");
        }
        return QStringLiteral("ERROR unknown command: %1").arg(command);
    } catch (const CommandError& error) {
        return QStringLiteral("ERROR ") + error.text;
    }
}

QString SimulatorControl::Sent(const PbxCallControl::Outcome& outcome)
{
    if (!outcome.Ok())
        Fail(outcome.error);
    const QString count = QStringLiteral("OK %1 events").arg(outcome.events.size());
    if (outcome.events.isEmpty() || m_simulator.SendEvents(outcome.events) > 0)
        return count;
    return count + (m_simulator.Model().StateReporting() ? QStringLiteral(" not sent (no engine)")
                                                         : QStringLiteral(" not sent (reporting off)"));
}

QString SimulatorControl::Status() const
{
    const PbxModel& model = m_simulator.Model();
    QStringList ports;
    for (const auto& port : m_simulator.Ports())
        ports << port->Name();
    return QStringLiteral("OK extensions=%1 lines=%2 entryphones=%3 relays=%4 boards=%5 own-extension=%6 "
                          "reporting=%7 faults=%8 ports=%9 clock=%10 model=%11")
        .arg(model.Count(kObjectExtension))
        .arg(model.Count(kObjectLine))
        .arg(model.Count(kObjectEntryPhone))
        .arg(model.Count(kObjectRelay))
        .arg(model.BoardCount())
        .arg(model.OwnExtension())
        .arg(model.StateReporting() ? QStringLiteral("on") : QStringLiteral("off"))
        .arg(m_simulator.Faults().Describe().replace(u' ', u','))
        .arg(ports.isEmpty() ? QStringLiteral("none") : ports.join(u','))
        .arg(model.Now().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")))
        .arg(model.ModelText());
}

QString SimulatorControl::Set(const QStringList& words, const QString& line)
{
    NeedWords(words, 3);
    PbxModel& model = m_simulator.Model();
    const QString& what = words.at(1);
    const qsizetype counted = ObjectNames().indexOf(what.endsWith(u's') ? what.chopped(1) : what);
    if (counted >= kObjectExtension) {
        model.SetCount(static_cast<std::uint8_t>(counted), Number(words.at(2), 0, PbxModel::kMaxObjects, "count"));
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("boards")) {
        model.SetBoardCount(Number(words.at(2), 0, PbxModel::kMaxBoards, "board count"));
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("own-extension")) {
        model.SetOwnExtension(ByteValue(words.at(2), "extension"));
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("model")) {
        // The rest of the line, spaces included.
        const QString text = line.mid(line.indexOf(what) + what.size()).trimmed();
        if (!model.SetModelText(text))
            Fail(QStringLiteral("model text longer than %1 characters").arg(PbxModel::kMaxModelText));
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("config")) {
        NeedWords(words, 4);
        model.SetConfigurationByte(Number(words.at(2), 0, PbxSystemConfiguration::kSize - 1, "configuration byte"),
                                   ByteValue(words.at(3), "value"));
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("phonebook")) {
        NeedWords(words, 4);
        const int common = Number(words.at(2), 0, PbxPhoneBook::kMaxCommonPositions, "common positions");
        const int personal = Number(words.at(3), 0, PbxPhoneBook::kMaxPersonalPositions, "personal positions");
        const int globalHigh =
            words.size() > 4 ? Number(words.at(4), 0, PbxPhoneBook::kMaxGlobalHigh, "global high byte") : 0;
        model.PhoneBook().Resize(common, personal, globalHigh);
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("programming")) {
        NeedWords(words, 6);
        const std::uint8_t type = ObjectType(words.at(2));
        const int index = ByteValue(words.at(3), "index");
        QByteArray record = model.Programming(type, index);
        if (record.isEmpty())
            Fail(QStringLiteral("no %1 %2").arg(ObjectNames().at(type)).arg(index));
        // Bytes 0 and 1 name the object.
        const int position = Number(words.at(4), 2, static_cast<int>(record.size()) - 1, "record byte");
        record[position] = static_cast<char>(ByteValue(words.at(5), "value"));
        model.SetProgramming(type, index, record);
        return Sent({{BuildProgrammingChangedEvent(type, static_cast<std::uint8_t>(index))}, {}});
    }
    if (what == QLatin1String("state")) {
        NeedWords(words, 5);
        return Sent(m_simulator.Calls().SetState(ObjectType(words.at(2)), ByteValue(words.at(3), "index"),
                                                 ByteValue(words.at(4), "state")));
    }
    if (what == QLatin1String("wakeup")) {
        NeedWords(words, 5);
        const int extension = Extension(model, words.at(2));
        const std::uint8_t mode = ByteValue(words.at(3), "mode");
        QTime time = QTime::fromString(words.at(4), QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(words.at(4), QStringLiteral("HH:mm"));
        if (!time.isValid())
            Fail(QStringLiteral("expected HH:MM or HH:MM:SS: %1").arg(words.at(4)));
        model.SetWakeUp(extension, mode, static_cast<std::uint8_t>(time.hour()), static_cast<std::uint8_t>(time.minute()),
                        static_cast<std::uint8_t>(time.second()));
        return QStringLiteral("OK");
    }
    if (what == QLatin1String("clock")) {
        if (words.at(2) == QLatin1String("now")) {
            model.SetClock(QDateTime::currentDateTime());
        } else {
            NeedWords(words, 4);
            model.SetClock(DateTime(words.at(2), words.at(3)));
        }
        return QStringLiteral("OK");
    }
    Fail(QStringLiteral("cannot set %1").arg(what));
}

QString SimulatorControl::Reporting(const QStringList& words)
{
    NeedWords(words, 2);
    m_simulator.Model().SetStateReporting(OnOff(words.at(1)));
    return QStringLiteral("OK");
}

QString SimulatorControl::ExtensionCommand(const QStringList& words)
{
    const QString& command = words.first();
    NeedWords(words, command == QLatin1String("digits") ? 3 : 2);
    PbxCallControl& calls = m_simulator.Calls();
    const int extension = Extension(m_simulator.Model(), words.at(1));
    if (command == QLatin1String("offhook"))
        return Sent(calls.OffHook(extension));
    if (command == QLatin1String("digits"))
        return Sent(calls.Dial(extension, Digits(words.at(2), kKeypadDigits), true));
    if (command == QLatin1String("connect"))
        return Sent(calls.Connect(extension));
    return Sent(calls.OnHook(extension));
}

QString SimulatorControl::PlaceCall(const QStringList& words)
{
    NeedWords(words, 4);
    return Sent(m_simulator.Calls().PlaceCall(ByteValue(words.at(1), "extension"), ByteValue(words.at(2), "line"),
                                              Digits(words.at(3), kDialDigits)));
}

QString SimulatorControl::Ring(const QStringList& words)
{
    NeedWords(words, 4);
    const std::uint8_t fromType = ObjectType(words.at(2));
    if (fromType < kObjectExtension || fromType > kObjectEntryPhone)
        Fail(QStringLiteral("a ring comes from a line, an entry phone or an extension"));
    const QString callerId = words.size() > 4 && fromType == kObjectLine ? Digits(words.at(4), kKeypadDigits) : QString();
    // "fixed" asks for the caller-id message of fixed layout instead of parameters.
    const bool fixed = words.size() > 5 && words.at(5) == QLatin1String("fixed");
    if (words.size() > 5 && !fixed)
        Fail(QStringLiteral("ring ... NUMBER takes only \"fixed\" after it"));
    return Sent(m_simulator.Calls().Ring(ByteValue(words.at(1), "extension"), fromType, ByteValue(words.at(3), "index"),
                                         callerId, fixed ? CallerIdFormat::kFixed : CallerIdFormat::kParameters));
}

QString SimulatorControl::WakeUpCall(const QStringList& words)
{
    NeedWords(words, 3);
    return Sent(m_simulator.Calls().WakeUpCall(ByteValue(words.at(1), "extension"), ByteValue(words.at(2), "answer")));
}

QString SimulatorControl::Alarm(const QStringList& words)
{
    NeedWords(words, 4);
    return Sent({{BuildAlarmEvent(ObjectType(words.at(1)), ByteValue(words.at(2), "index"),
                                  ByteValue(words.at(3), "alarm type"))},
                 {}});
}

QString SimulatorControl::CallLog(const QStringList& words)
{
    NeedWords(words, 3);
    PbxModel& model = m_simulator.Model();
    const QString& what = words.at(1);
    if (what == QLatin1String("clear")) {
        for (int e = 0; e < model.Count(kObjectExtension); ++e) {
            if (words.at(2) == QLatin1String("all") || e == Extension(model, words.at(2)))
                model.ClearCallLog(e);
        }
        return QStringLiteral("OK");
    }
    const int extension = Extension(model, words.at(2));
    if (what == QLatin1String("count"))
        return QStringLiteral("OK %1").arg(model.LoggedCallCount(extension));
    if (what != QLatin1String("add"))
        Fail(QStringLiteral("calllog add, clear or count"));
    NeedWords(words, 8);
    PbxLoggedCall call;
    call.start = DateTime(words.at(3), words.at(4));
    call.durationSeconds = Number(words.at(5), 0, kMaxCallSeconds, "duration");
    call.line = ByteValue(words.at(6), "line");
    call.number = Digits(words.at(7), kDialDigits);
    call.outgoing = words.size() < 9 || words.at(8) != QLatin1String("in");
    call.pulses = model.LoggedPulses(call.durationSeconds, call.outgoing);
    if (!model.AddLoggedCall(extension, call))
        Fail(QStringLiteral("the call log of extension %1 is full").arg(extension));
    return QStringLiteral("OK %1").arg(model.LoggedCallCount(extension));
}

QString SimulatorControl::Event(const QStringList& words)
{
    NeedWords(words, 2);
    const QByteArray payload = Hex(words, 2);
    if (payload.size() > kMaxByte)
        Fail(QStringLiteral("a payload holds at most 255 bytes"));
    return Sent({{MakePbxFrame(ByteValue(words.at(1), "code"), payload)}, {}});
}

QString SimulatorControl::Send(const QStringList& words)
{
    NeedWords(words, 2);
    const QByteArray bytes = Hex(words, 1);
    m_simulator.SendRaw(bytes);
    return QStringLiteral("OK %1 bytes").arg(bytes.size());
}

QString SimulatorControl::Fault(const QStringList& words)
{
    NeedWords(words, 2);
    FaultSettings& faults = m_simulator.Faults();
    const QString& what = words.at(1);
    if (what == QLatin1String("off")) {
        faults = FaultSettings();
        return QStringLiteral("OK none");
    }
    NeedWords(words, 3);
    const QString& value = words.at(2);
    if (what == QLatin1String("silence"))
        faults.silence = OnOff(value);
    else if (what == QLatin1String("wrong-code"))
        faults.wrongCode = OnOff(value);
    else if (what == QLatin1String("garbage"))
        faults.garbage = OnOff(value);
    else if (what == QLatin1String("interleave"))
        faults.interleave = OnOff(value);
    else if (what == QLatin1String("oversize"))
        faults.oversize = OnOff(value);
    else if (what == QLatin1String("delay"))
        faults.delayMs = Number(value, 0, kMaxDelayMs, "delay");
    else if (what == QLatin1String("split"))
        faults.splitGapMs = Number(value, 0, kMaxDelayMs, "gap");
    else
        Fail(QStringLiteral("unknown fault: %1").arg(what));
    return QStringLiteral("OK ") + faults.Describe();
}

QString SimulatorControl::Frames(const QStringList& words)
{
    if (words.size() > 1) {
        if (words.at(1) != QLatin1String("clear"))
            Fail(QStringLiteral("frames or frames clear"));
        m_simulator.ClearReceivedFrames();
        return QStringLiteral("OK");
    }
    const QStringList frames = m_simulator.ReceivedFrames();
    return QStringLiteral("OK %1%2%3").arg(frames.size()).arg(frames.isEmpty() ? QString() : QStringLiteral(": "),
                                                              frames.join(QStringLiteral(" | ")));
}
