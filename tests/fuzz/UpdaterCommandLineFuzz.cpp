// The updater's command line: any arguments parse without harm, and the
// parts come out clean: no value holds a keyword or a flag (each runs to
// the next keyword, flags are removed first), values are trimmed, a flag the
// line holds is set, and a line naming a script is a script.
//
// Input: the arguments, separated by NUL bytes (as /proc/<pid>/cmdline holds them).
#include "FuzzSupport.h"

#include "CommandLine.h"

using fuzz::visible;

namespace {

const char* const kKeywords[] = {"[URL]", "[PATH]", "[PARAM1]", "[PARAM2]", "[NOASK]", "[AUTOSTART]", "[SKIPINFO]"};

// Upper-cases ASCII letters only, as the grammar compares keywords.
QString asciiUpper(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 128)
            c = c.toUpper();
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList arguments;
    for (const QByteArray& a : input.split('\0'))
        arguments << QString::fromUtf8(a);
    const QString line = JoinArguments(arguments);
    const UpdaterCommand cmd = ParseCommandLine(line);
    const QString upper = asciiUpper(line);

    if (upper.contains(QLatin1String("[BATCHFILE]")) && line.trimmed() != QLatin1String("/?")) {
        FUZZ_CHECK(cmd.kind == UpdaterCommand::Kind::Script, "a line naming a script is a script", {visible(line)});
        FUZZ_CHECK(cmd.scriptFile == cmd.scriptFile.trimmed(), "the script file is trimmed", {visible(cmd.scriptFile)});
        return 0;
    }
    if (cmd.kind != UpdaterCommand::Kind::Update)
        return 0;
    const QString values[] = {cmd.url, cmd.path, cmd.param1, cmd.param2};
    for (const QString& v : values) {
        FUZZ_CHECK(v == v.trimmed(), "values are trimmed", {visible(line), visible(v)});
        for (const char* k : kKeywords)
            FUZZ_CHECK(!asciiUpper(v).contains(QLatin1String(k)), "no value holds a keyword or a flag",
                  {QStringLiteral("line  ") + visible(line), QStringLiteral("value ") + visible(v)});
    }
    // A flag the line holds is always seen; taking one out may join the text
    // around it into another, which is then seen as well (and left in no value).
    FUZZ_CHECK(!upper.contains(QLatin1String("[NOASK]")) || !cmd.ask, "[NOASK] is seen when it is there",
          {visible(line)});
    FUZZ_CHECK(!upper.contains(QLatin1String("[AUTOSTART]")) || cmd.autostart,
          "[AUTOSTART] is seen when it is there", {visible(line)});
    FUZZ_CHECK(!upper.contains(QLatin1String("[SKIPINFO]")) || cmd.skipInfo, "[SKIPINFO] is seen when it is there",
          {visible(line)});
    FUZZ_CHECK(cmd.complete() == (!cmd.url.isEmpty() && !cmd.path.isEmpty()), "complete means address and target");
    return 0;
}
