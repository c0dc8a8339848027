// The engine's own test programs load no Qt Gui or Widgets: the dynamic loader's list of each one's libraries
// is read with ldd. The build lists the programs: every registered test that links the engine and nothing with
// widgets (ProgramasDelMotor.h, written by conc_widget_free_tests). A window test program is read too, to show
// that the check does see Widgets when linked.

#include "ProgramasDelMotor.h"

#include <QProcess>
#include <QTest>

#include <vector>

class EngineLinkTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void engineProgramsLoadNoWidgets_data();
    void engineProgramsLoadNoWidgets();
    void windowProgramLoadsWidgets();

private:
    static QString Bibliotecas(const QString& programa);
    QStringList m_programas;
};

QString EngineLinkTest::Bibliotecas(const QString& programa)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {programa});
    if (!ldd.waitForFinished(60000) || ldd.exitStatus() != QProcess::NormalExit || ldd.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(ldd.readAllStandardOutput());
}

void EngineLinkTest::initTestCase()
{
    for (const char* programa : std::vector<const char*>{CONC_WIDGET_FREE_TESTS})
        m_programas << QString::fromUtf8(programa);
    QVERIFY(!m_programas.isEmpty());
}

void EngineLinkTest::engineProgramsLoadNoWidgets_data()
{
    QTest::addColumn<QString>("programa");
    for (const QString& p : m_programas)
        QTest::newRow(qPrintable(QFileInfo(p).fileName())) << p;
}

void EngineLinkTest::engineProgramsLoadNoWidgets()
{
    QFETCH(QString, programa);
    const QString bibliotecas = Bibliotecas(programa);
    QVERIFY2(bibliotecas.contains(QLatin1String("libQt6Core")), qPrintable(programa));
    QVERIFY2(!bibliotecas.contains(QLatin1String("libQt6Widgets")), qPrintable(bibliotecas));
    QVERIFY2(!bibliotecas.contains(QLatin1String("libQt6Gui")), qPrintable(bibliotecas));
}

void EngineLinkTest::windowProgramLoadsWidgets()
{
    const QString bibliotecas = Bibliotecas(qEnvironmentVariable("CONC_WINDOW_PROGRAM"));
    QVERIFY(bibliotecas.contains(QLatin1String("libQt6Widgets")));
}

QTEST_GUILESS_MAIN(EngineLinkTest)
#include "tst_engine_link.moc"
