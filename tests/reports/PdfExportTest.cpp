// The PDF export with a stand-in converter on a temporary path: one report after the other, the time
// limit, cancel, the check of each PDF, what is offered to the export dialog and what stays behind.
#include "reports/PdfExport.h"
#include "reports/CPdfKonverter.h"

#include "../ui/UiTestModule.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "ui/CDlgMessageOnly.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Writes the PDF (or not) as the first line of the report asks, and logs each start and end.
const char* const kStandIn = R"SH(#!/bin/bash
html="${@: -2:1}"; pdf="${@: -1}"
echo "start $(basename "$html") $*" >> "$QOR_FAKE_LOG"
mode=$(head -n1 "$html")
code=0
case "$mode" in
  ok) printf '%%PDF-1.4 stand-in' > "$pdf" ;;
  pictures) printf '%%PDF-1.4 stand-in' > "$pdf"; code=1 ;;
  nopdf) ;;
  garbage) echo "no pdf" > "$pdf" ;;
  crash) kill -SEGV $$ ;;
  slow) exec sleep 30 ;;
esac
echo "end $(basename "$html")" >> "$QOR_FAKE_LOG"
exit $code
)SH";

using Status = CPdfKonverter::Status;

class PdfExportTest : public testing::Test
{
protected:
    PdfExportTest() : m_module(UiTestModule())
    {
        m_programm = m_dir.filePath(QStringLiteral("wkhtmltopdf"));
        QFile f(m_programm);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kStandIn);
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_log = m_dir.filePath(QStringLiteral("log.txt"));
        qputenv("QOR_FAKE_LOG", m_log.toUtf8());
        QDir().mkpath(m_dir.filePath(QStringLiteral("Print")));
    }
    ~PdfExportTest() override
    {
        PdfExport::SetExportDialog({});
        PdfExport::SetWarten({});
        PdfExport::SetZeitlimitMs(CPdfKonverter::kZeitlimitMs);
    }

    QString Bericht(const QString& name, const char* mode, const QString& ordner = QStringLiteral("Print"))
    {
        QDir().mkpath(m_dir.filePath(ordner));
        const QString path = m_dir.filePath(ordner + QLatin1Char('/') + name + QStringLiteral(".html"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(mode) + "\n<HTML></HTML>\n");
        return path;
    }
    QStringList Log() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QString Ordner() const { return m_dir.filePath(QStringLiteral("Print")); }
    // Runs the chain to its end in the event loop.
    static void Laufe(CPdfKonverter& k)
    {
        QSignalSpy fertig(&k, &CPdfKonverter::Fertig);
        k.Starte();
        if (!k.IsFertig()) {
            ASSERT_TRUE(fertig.wait(20000));
        }
    }

    QTemporaryDir m_dir;
    QString m_programm;
    QString m_log;
    ScriptedMessageBoxService boxes;

private:
    ScopedDialogTemplateModule m_module;
};

TEST_F(PdfExportTest, EachReportEndsAsItsConverterRun)
{
    struct Fall
    {
        const char* was;
        std::vector<const char*> modes;
        std::vector<Status> status;
    };
    const Fall faelle[] = {
        {"two good", {"ok", "ok"}, {Status::Ok, Status::Ok}},
        {"exit 1 with a PDF", {"pictures"}, {Status::OhneBilder}},
        {"exit 0 without a PDF", {"nopdf", "ok"}, {Status::Fehlgeschlagen, Status::Ok}},
        {"not a PDF", {"garbage"}, {Status::Fehlgeschlagen}},
        {"crash", {"crash", "ok"}, {Status::Fehlgeschlagen, Status::Ok}},
        {"time-out, the next one still runs", {"slow", "ok"}, {Status::Zeitueberschreitung, Status::Ok}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        QFile::remove(m_log);
        QStringList html;
        for (std::size_t i = 0; i < f.modes.size(); ++i)
            html.append(Bericht(QStringLiteral("r%1").arg(i), f.modes[i]));
        CPdfKonverter k;
        k.SetProgramm(m_programm);
        k.SetZeitlimitMs(1500);
        k.Vorbereiten(html, Ordner());
        Laufe(k);
        ASSERT_EQ(k.Ergebnisse().size(), qsizetype(f.status.size()));
        for (std::size_t i = 0; i < f.status.size(); ++i) {
            const CPdfKonverter::SErgebnis& e = k.Ergebnisse()[qsizetype(i)];
            EXPECT_EQ(int(e.status), int(f.status[i])) << i;
            // Only a usable PDF stays in the folder.
            EXPECT_EQ(QFileInfo::exists(e.pdf), e.Brauchbar()) << i;
            if (f.status[i] == Status::Zeitueberschreitung) {
                EXPECT_EQ(e.nExitCode, -2);
            }
        }
        // Strictly one after the other: a report starts only after the one before has ended.
        QStringList erwartet;
        for (std::size_t i = 0; i < f.modes.size(); ++i) {
            erwartet.append(QStringLiteral("start r%1.html").arg(i));
            if (f.modes[i] != std::string("crash") && f.modes[i] != std::string("slow"))
                erwartet.append(QStringLiteral("end r%1.html").arg(i));
        }
        QStringList log;
        for (const QString& zeile : Log())
            log.append(zeile.section(QLatin1Char(' '), 0, 1));
        EXPECT_EQ(log, erwartet);
    }
}

TEST_F(PdfExportTest, ArgumentsAndUniqueNamesInAPrivateFolder)
{
    const QString a = Bericht(QStringLiteral("report"), "ok", QStringLiteral("Print"));
    const QString b = Bericht(QStringLiteral("report"), "ok", QStringLiteral("other"));
    QString ordner;
    {
        CPdfKonverter k;
        k.SetProgramm(m_programm);
        k.Vorbereiten({a, b}, Ordner());
        Laufe(k);
        ordner = k.Ordner();
        ASSERT_FALSE(ordner.isEmpty());
        EXPECT_NE(k.Ergebnisse()[0].pdf, k.Ergebnisse()[1].pdf);
        for (const auto& e : k.Ergebnisse()) {
            EXPECT_EQ(int(e.status), int(Status::Ok));
            EXPECT_EQ(QFileInfo(e.pdf).absolutePath(), QDir(ordner).absolutePath());
        }
        const QStringList log = Log();
        ASSERT_FALSE(log.isEmpty());
        EXPECT_EQ(log[0], QStringLiteral("start report.html --quiet --disable-javascript --allow %1 %2 %3")
                              .arg(Ordner(), a, k.Ergebnisse()[0].pdf));
        EXPECT_FALSE(ordner.startsWith(Ordner()));
    }
    // The folder goes with the export.
    EXPECT_FALSE(QFileInfo::exists(ordner));
}

TEST_F(PdfExportTest, CancelKillsTheRunningConverterAndEndsTheChain)
{
    CPdfKonverter k;
    k.SetProgramm(m_programm);
    k.Vorbereiten({Bericht(QStringLiteral("a"), "slow"), Bericht(QStringLiteral("b"), "ok")}, Ordner());
    k.Starte();
    QTRY_VERIFY_WITH_TIMEOUT(!Log().isEmpty(), 10000);
    QSignalSpy fertig(&k, &CPdfKonverter::Fertig);
    k.Abbrechen();
    EXPECT_EQ(fertig.count(), 1);
    EXPECT_TRUE(k.IsFertig());
    for (const auto& e : k.Ergebnisse())
        EXPECT_EQ(int(e.status), int(Status::Abgebrochen));
    // The second report never started, and no converter runs on.
    EXPECT_EQ(Log().size(), 1);
    EXPECT_TRUE(k.findChildren<QProcess*>().isEmpty() ||
                k.findChildren<QProcess*>().first()->state() == QProcess::NotRunning);
}

TEST_F(PdfExportTest, MissingProgramEndsEveryReport)
{
    CPdfKonverter k;
    k.SetProgramm(QString());
    k.Vorbereiten({Bericht(QStringLiteral("a"), "ok")}, Ordner());
    Laufe(k);
    EXPECT_EQ(int(k.Ergebnisse()[0].status), int(Status::KeinProgramm));
}

TEST_F(PdfExportTest, OnlyGoodPdfsAreOfferedAndFailuresNamed)
{
    // The stand-in converter is found on the search path.
    const QByteArray pfad = qgetenv("PATH");
    qputenv("PATH", m_dir.path().toUtf8() + ":" + pfad);
    QStringList angeboten;
    bool bestanden = false;
    PdfExport::SetExportDialog([&](QWidget*, const QStringList& pdfs) {
        angeboten = pdfs;
        bestanden =
            std::all_of(pdfs.begin(), pdfs.end(), [](const QString& p) { return QFileInfo::exists(p); });
        return PdfExport::kExportiert;
    });
    PdfExport::SetWarten([](CDlgMessageOnly& notice) { return notice.exec(); });
    struct Fall
    {
        const char* was;
        std::vector<const char*> modes;
        int angeboten;
        bool ergebnis;
        int meldungen;
    };
    const Fall faelle[] = {
        {"all good", {"ok", "ok"}, 2, true, 0},
        {"one fails", {"nopdf", "ok"}, 1, true, 1},
        {"pictures missing", {"pictures"}, 1, true, 1},
        {"none good: no export dialog", {"garbage"}, 0, false, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        boxes.Clear();
        angeboten.clear();
        QStringList html;
        for (std::size_t i = 0; i < f.modes.size(); ++i)
            html.append(Bericht(QStringLiteral("Report %1").arg(i), f.modes[i]));
        EXPECT_EQ(PdfExport::ExportHtmlAsPdf(nullptr, html, Ordner(), nullptr), f.ergebnis);
        EXPECT_EQ(angeboten.size(), f.angeboten);
        if (f.angeboten > 0) {
            EXPECT_TRUE(bestanden);
        }
        ASSERT_EQ(boxes.Records().size(), f.meldungen);
        if (f.meldungen > 0) {
            EXPECT_TRUE(boxes.Records()[0].text.contains(QStringLiteral("Report 0")))
                << boxes.Records()[0].text.toStdString();
        }
        // Nothing of the export stays behind.
        for (const QString& p : angeboten)
            EXPECT_FALSE(QFileInfo::exists(p));
    }

    // A cancelled notice offers nothing.
    boxes.Clear();
    angeboten.clear();
    PdfExport::SetWarten([](CDlgMessageOnly&) { return int(QDialog::Rejected); });
    EXPECT_FALSE(
        PdfExport::ExportHtmlAsPdf(nullptr, {Bericht(QStringLiteral("x"), "ok")}, Ordner(), nullptr));
    EXPECT_TRUE(angeboten.isEmpty());
    qputenv("PATH", pfad);

    // Without the converter the message names the package.
    qputenv("PATH", m_dir.filePath(QStringLiteral("nothing")).toUtf8());
    EXPECT_FALSE(
        PdfExport::ExportHtmlAsPdf(nullptr, {Bericht(QStringLiteral("y"), "ok")}, Ordner(), nullptr));
    qputenv("PATH", pfad);
    ASSERT_FALSE(boxes.Records().isEmpty());
    EXPECT_TRUE(boxes.Records().back().text.contains(QStringLiteral("wkhtmltopdf")));
}

} // namespace
