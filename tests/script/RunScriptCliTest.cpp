// kvxzot-cli run-script as a script author uses it.

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

class RunScriptCli : public ::testing::Test {
protected:
    QString Write(const QString& text) { return WriteBytes(text.toUtf8()); }
    QString WriteBytes(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("s%1.vbs").arg(m_count++));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    Result Run(const QStringList& args)
    {
        QProcess p;
        // The command touches no settings; keep the real user's out of reach anyway.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KVXZOT_USER_SETTINGS"), m_dir.filePath(QStringLiteral("user.ini")));
        env.insert(QStringLiteral("KVXZOT_MACHINE_SETTINGS"), m_dir.filePath(QStringLiteral("machine.ini")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KVX_CLI_PATH), QStringList{QStringLiteral("run-script")} + args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

const char* kScript = "Option Explicit\n"
                      "WScript.Echo \"loaded\", 1 + 1\n"
                      "Function Scale(x, factor)\n"
                      "    Scale = x * factor\n"
                      "End Function\n"
                      "Function Greet(name)\n"
                      "    Greet = \"hi \" & name\n"
                      "End Function\n"
                      "Function Fail(x)\n"
                      "    Fail = x / 0\n"
                      "End Function\n";

}  // namespace

TEST_F(RunScriptCli, RunsGlobalCodeAndCallsAFunction)
{
    const QString file = Write(kScript);
    Result r = Run({file});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "loaded 2\n");
    r = Run({file, "--call", "Scale", "21", "2"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "loaded 2\n42\n");
    r = Run({file, "--call", "Greet", "Ann"});
    EXPECT_EQ(r.out, "loaded 2\nhi Ann\n");
}

TEST_F(RunScriptCli, ScriptErrorsPrintTheMessageAndFail)
{
    const QString file = Write(kScript);
    Result r = Run({file, "--call", "Fail", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "IActiveScriptSite::OnScriptError()\nLine: 10\nDivision by zero\n");

    r = Run({Write("Dim a\nIf a Then\n")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "IActiveScriptSite::OnScriptError()\nLine: 3\nExpected 'End'\n");

    r = Run({file, "--call", "Missing"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("defines no function 'Missing'")) << r.err.toStdString();

    r = Run({Write("Do\nLoop\n"), "--max-steps", "100000"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Line: 1\n")) << r.err.toStdString();
}

TEST_F(RunScriptCli, UsageAndHelp)
{
    EXPECT_EQ(Run({"--help"}).exitCode, 0);
    EXPECT_TRUE(Run({"--help"}).out.contains("--call NAME"));
    EXPECT_EQ(Run({}).exitCode, 2);
    EXPECT_EQ(Run({"/no/such/file.vbs"}).exitCode, 2);
}

TEST_F(RunScriptCli, AUsersScriptIsUtf8WhenItIsAndCodePage1252Otherwise)
{
    // UCase keeps the sharp s (the language never changes a string's length).
    const QByteArray code = "WScript.Echo UCase(\"stra\xC3\x9F" "e\")\n";
    EXPECT_EQ(Run({WriteBytes(code)}).out, QStringLiteral("STRAßE\n"));
    EXPECT_EQ(Run({WriteBytes("\xEF\xBB\xBF" + code)}).out, QStringLiteral("STRAßE\n"));
    EXPECT_EQ(Run({WriteBytes("WScript.Echo UCase(\"stra\xDF" "e\")\n")}).out, QStringLiteral("STRAßE\n"));
}

TEST_F(RunScriptCli, TheRunTimeBudgetIsAnOption)
{
    const QString loop = Write("Do\nLoop\n");
    // The step budget is lifted high enough that only the time stops the loop.
    Result r = Run({loop, "--max-steps", "100000000000", "--max-seconds", "0.2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Line: 1\n")) << r.err.toStdString();
    EXPECT_EQ(Run({loop, "--max-seconds", "-1"}).exitCode, 2);
    EXPECT_EQ(Run({loop, "--max-seconds", "soon"}).exitCode, 2);
    EXPECT_TRUE(Run({"--help"}).out.contains("--max-seconds S"));
}
