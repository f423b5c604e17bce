// The summary of the permitted axle loads and masses beside the program ("Samples/StVZO34.pdf", opened from
// the axle-load hint): made at build time, at most two pages, and its text readable with the umlauts and
// the figures a planner looks up.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QString PdfPfad()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Samples/StVZO34.pdf"));
}

TEST(AchslastUebersichtPdfTest, LiesBesideTheProgramAsAPdfOfTwoPages)
{
    QFile file(PdfPfad());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << PdfPfad().toStdString();
    const QByteArray pdf = file.readAll();
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    // Each page object says "/Type /Page"; the page tree says "/Type /Pages".
    const QRegularExpression seite(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    const qsizetype nSeiten = QString::fromLatin1(pdf).count(seite);
    EXPECT_EQ(nSeiten, 2);
}

TEST(AchslastUebersichtPdfTest, TextStartsWithTheProvisoAndKeepsUmlautsAndFigures)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess p;
    p.start(pdftotext, {PdfPfad(), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList seiten = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    ASSERT_GE(seiten.size(), 2);

    // The first line: a summary, the regulation's own text governs.
    const QString ersteZeile = seiten[0].trimmed().section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(ersteZeile.startsWith(QStringLiteral("Zusammenfassung"))) << ersteZeile.toStdString();
    EXPECT_TRUE(ersteZeile.contains(QStringLiteral("verbindlich ist allein der Wortlaut")))
        << ersteZeile.toStdString();

    struct Fall
    {
        int nSeite;
        const char* text;
    };
    const Fall faelle[] = {
        {0, "Zulässige Achslasten und Gesamtgewichte"},
        {0, "(StVZO)"},
        {0, "Straßenverkehrs"},
        {0, "angetriebene Einzelachse"},
        {0, "11,5 t"},
        {0, "19,0 t"},
        {0, "24,0 t"},
        {1, "Anhänger (außer Sattelanhänger) mit zwei Achsen"},
        {1, "26,0 t"},
        {1, "40,0 t"},
        {1, "44,0 t"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.text);
        // pdftotext breaks long lines; the words are compared without line breaks.
        QString seite = seiten[fall.nSeite];
        seite.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        EXPECT_TRUE(seite.contains(QString::fromUtf8(fall.text)));
    }
}

} // namespace
