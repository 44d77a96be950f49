// The second start with large pages: when it is made, the tunables it adds, and
// that the started program sees (and hands its children) the environment it was
// given. The child rows run this very executable as the program would run.
#include "platform/BigPages.h"

#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

class TestBigPages : public QObject {
    Q_OBJECT

    static QString runChild(const QProcessEnvironment &env)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child")});
        if (!p.waitForFinished(30000))
            return QStringLiteral("timed out");
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    static bool kernelGivesThem()
    {
        QFile f(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
        const QByteArray s = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        return s.contains("[always]") || s.contains("[madvise]");
    }

private slots:
    void plan_data()
    {
        QTest::addColumn<QByteArray>("tunables");   // "-": unset
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<QByteArray>("kernel");
        QTest::addColumn<bool>("restart");
        QTest::addColumn<QByteArray>("result");
        const QByteArray madvise = "always [madvise] never\n", always = "[always] madvise never\n";
        const QByteArray ours = "glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=4194304";
        QTest::newRow("unset") << QByteArray("-") << QByteArray() << madvise << true << ours;
        QTest::newRow("empty") << QByteArray("") << QByteArray() << madvise << true << ours;
        QTest::newRow("always") << QByteArray("-") << QByteArray() << always << true << ours;
        QTest::newRow("the user's own kept") << QByteArray("glibc.malloc.arena_max=2") << QByteArray() << madvise << true
                                             << "glibc.malloc.arena_max=2:" + ours;
        QTest::newRow("the user's choice stands")
            << QByteArray("glibc.malloc.hugetlb=0") << QByteArray() << madvise << true
            << QByteArray("glibc.malloc.hugetlb=0:glibc.malloc.mmap_threshold=4194304");
        QTest::newRow("both chosen") << QByteArray("glibc.malloc.mmap_threshold=65536:glibc.malloc.hugetlb=0")
                                     << QByteArray() << madvise << false << QByteArray();
        QTest::newRow("kernel never") << QByteArray("-") << QByteArray() << QByteArray("always madvise [never]\n") << false << QByteArray();
        QTest::newRow("no kernel setting") << QByteArray("-") << QByteArray() << QByteArray() << false << QByteArray();
        QTest::newRow("turned off") << QByteArray("-") << QByteArray("0") << madvise << false << QByteArray();
        QTest::newRow("already made") << QByteArray("-") << QByteArray("1") << madvise << false << QByteArray();
    }

    void plan()
    {
        QFETCH(QByteArray, tunables);
        QFETCH(QByteArray, marker);
        QFETCH(QByteArray, kernel);
        QFETCH(bool, restart);
        QFETCH(QByteArray, result);
        const BigPages::Plan p = BigPages::plan(tunables == "-" ? nullptr : tunables.constData(),
                                                marker.isEmpty() ? nullptr : marker.constData(), kernel.toStdString());
        QCOMPARE(p.restart, restart);
        QCOMPARE(QByteArray::fromStdString(p.tunables), result);
    }

    void secondStartGivesBackTheEnvironment_data()
    {
        QTest::addColumn<QString>("tunables");   // "-": unset
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("expected");
        const QString on = kernelGivesThem() ? QStringLiteral("on") : QStringLiteral("off");
        QTest::newRow("unset") << QStringLiteral("-") << QString() << on + QStringLiteral(" tunables=- marker=- saved=-");
        QTest::newRow("the user's") << QStringLiteral("glibc.malloc.arena_max=2") << QString()
                                   << on + QStringLiteral(" tunables=glibc.malloc.arena_max=2 marker=- saved=-");
        QTest::newRow("empty") << QString() << QString() << on + QStringLiteral(" tunables= marker=- saved=-");
        QTest::newRow("turned off") << QStringLiteral("-") << QStringLiteral("0")
                                    << QStringLiteral("off tunables=- marker=0 saved=-");
    }

    void secondStartGivesBackTheEnvironment()
    {
        QFETCH(QString, tunables);
        QFETCH(QString, marker);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("GLIBC_TUNABLES"));
        env.remove(QStringLiteral("KODOPLET_BIG_PAGES"));
        env.remove(QStringLiteral("KODOPLET_SAVED_TUNABLES"));
        if (tunables != QLatin1String("-"))
            env.insert(QStringLiteral("GLIBC_TUNABLES"), tunables);
        if (!marker.isEmpty())
            env.insert(QStringLiteral("KODOPLET_BIG_PAGES"), marker);
        QCOMPARE(runChild(env), expected);
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "child") == 0) {
        BigPages::useForThisProcess(argv);
        const auto show = [](const char *name) {
            const char *v = std::getenv(name);
            return v ? v : "-";
        };
        std::printf("%s tunables=%s marker=%s saved=%s\n", BigPages::active() ? "on" : "off", show("GLIBC_TUNABLES"),
                    show("KODOPLET_BIG_PAGES"), show("KODOPLET_SAVED_TUNABLES"));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestBigPages t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_bigpages.moc"
