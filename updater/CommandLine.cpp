#include "CommandLine.h"

#include <array>

namespace {

const std::array<QLatin1String, 4> kValueKeywords = {
    QLatin1String("[URL]"), QLatin1String("[PATH]"), QLatin1String("[PARAM1]"), QLatin1String("[PARAM2]")};

// Removes every occurrence of `flag` from both lines (positions taken from
// the upper-cased copy, which has the same length); true when one was there.
bool takeFlag(QString& line, QString& upper, QLatin1String flag)
{
    bool found = false;
    for (qsizetype at = upper.indexOf(flag); at >= 0; at = upper.indexOf(flag)) {
        line.remove(at, flag.size());
        upper.remove(at, flag.size());
        found = true;
    }
    if (found) {
        line = line.trimmed();
        upper = upper.trimmed();
    }
    return found;
}

// The value after `keyword` up to the next keyword (or the end), trimmed.
QString valueOf(const QString& line, const QString& upper, QLatin1String keyword)
{
    const qsizetype at = upper.indexOf(keyword);
    if (at < 0)
        return {};
    const qsizetype start = at + keyword.size();
    qsizetype end = line.size();
    for (QLatin1String other : kValueKeywords) {
        const qsizetype next = upper.indexOf(other, start);
        if (next >= 0 && next < end)
            end = next;
    }
    return line.mid(start, end - start).trimmed();
}

QString unquoted(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2).trimmed();
    return text;
}

} // namespace

QString JoinArguments(const QStringList& arguments) { return arguments.join(u' '); }

UpdaterCommand ParseCommandLine(const QString& commandLine)
{
    UpdaterCommand cmd;
    QString line = commandLine.trimmed();
    // toUpper() may change the length of some letters (ß -> SS); upper-casing
    // ASCII only keeps positions in both strings the same.
    QString upper = line;
    for (QChar& c : upper)
        if (c.unicode() < 128)
            c = c.toUpper();

    if (line == QLatin1String("/?")) {
        cmd.kind = UpdaterCommand::Kind::Version;
        return cmd;
    }
    if (line.isEmpty()) {
        cmd.kind = UpdaterCommand::Kind::Usage;
        return cmd;
    }
    const QLatin1String batch("[BATCHFILE]");
    if (const qsizetype at = upper.indexOf(batch); at >= 0) {
        cmd.kind = UpdaterCommand::Kind::Script;
        cmd.scriptFile = unquoted(line.mid(at + batch.size()));
        return cmd;
    }

    cmd.kind = UpdaterCommand::Kind::Update;
    // Taking one flag out can join the text around it into another
    // ("[AUTOSTA[SKIPINFO]RT]"): the flags are taken until none is left, so
    // no flag ends up inside a value.
    bool noAsk = false;
    for (bool took = true; took;) {
        const bool a = takeFlag(line, upper, QLatin1String("[NOASK]"));
        const bool b = takeFlag(line, upper, QLatin1String("[AUTOSTART]"));
        const bool c = takeFlag(line, upper, QLatin1String("[SKIPINFO]"));
        noAsk |= a;
        cmd.autostart |= b;
        cmd.skipInfo |= c;
        took = a || b || c;
    }
    cmd.ask = !noAsk;
    cmd.url = valueOf(line, upper, kValueKeywords[0]);
    cmd.path = valueOf(line, upper, kValueKeywords[1]);
    cmd.param1 = valueOf(line, upper, kValueKeywords[2]);
    cmd.param2 = valueOf(line, upper, kValueKeywords[3]);
    return cmd;
}
