// The PDF converter chain: one process at a time, its time limit, cancel and the check of each PDF.
#include "reports/CPdfKonverter.h"

#include "ui/WaitStartEvent.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

CPdfKonverter::CPdfKonverter(QObject* parent)
    : QObject(parent), m_programm(QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf")))
{
    m_pUhr = new QTimer(this);
    m_pUhr->setSingleShot(true);
    connect(m_pUhr, &QTimer::timeout, this, &CPdfKonverter::Zeitablauf);
}

CPdfKonverter::~CPdfKonverter()
{
    // No converter outlives the export.
    if (m_pProzess) {
        m_pProzess->disconnect(this);
        m_pProzess->kill();
        m_pProzess->waitForFinished(5000);
    }
}

void CPdfKonverter::Vorbereiten(const QStringList& htmlDateien, const QString& berichtOrdner)
{
    m_berichtOrdner = berichtOrdner;
    m_pOrdner = std::make_unique<QTemporaryDir>();
    m_ergebnisse.clear();
    m_bFertig = false;
    QSet<QString> vergeben;
    for (const QString& html : htmlDateien) {
        SErgebnis e;
        e.html = html;
        // Unique names inside the private folder: two reports of one name keep two PDFs.
        const QString basis = QFileInfo(html).completeBaseName();
        QString name = basis + QStringLiteral(".pdf");
        for (int n = 2; vergeben.contains(name.toLower()); ++n)
            name = QStringLiteral("%1 (%2).pdf").arg(basis).arg(n);
        vergeben.insert(name.toLower());
        e.pdf = m_pOrdner->isValid() ? m_pOrdner->filePath(name) : QString();
        m_ergebnisse.append(e);
    }
}

QString CPdfKonverter::Ordner() const
{
    return m_pOrdner && m_pOrdner->isValid() ? m_pOrdner->path() : QString();
}

std::unique_ptr<QTemporaryDir> CPdfKonverter::UebernehmeOrdner()
{
    return std::move(m_pOrdner);
}

void CPdfKonverter::Starte()
{
    m_nLaufend = -1;
    if (m_programm.isEmpty() || Ordner().isEmpty()) {
        for (SErgebnis& e : m_ergebnisse)
            e.status = Status::KeinProgramm;
        Ende();
        return;
    }
    Naechste();
}

void CPdfKonverter::Naechste()
{
    ++m_nLaufend;
    if (m_nLaufend >= m_ergebnisse.size()) {
        Ende();
        return;
    }
    const SErgebnis& e = m_ergebnisse[m_nLaufend];
    m_pProzess = new QProcess(this);
    // Without a display the converter needs Qt's offscreen platform.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_pProzess->setProcessEnvironment(env);
    m_pProzess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_pProzess->setStandardOutputFile(QProcess::nullDevice());
    connect(m_pProzess, &QProcess::finished, this, &CPdfKonverter::Beendet);
    connect(m_pProzess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError fehler) {
        if (fehler == QProcess::FailedToStart)
            Beendet(-1, QProcess::CrashExit);
    });
    m_pProzess->start(m_programm, {QStringLiteral("--quiet"), QStringLiteral("--disable-javascript"),
                                   QStringLiteral("--allow"), m_berichtOrdner, e.html, e.pdf});
    m_pUhr->start(m_zeitlimitMs);
}

void CPdfKonverter::Beendet(int nExitCode, QProcess::ExitStatus status)
{
    if (!m_pProzess || m_nLaufend < 0 || m_nLaufend >= m_ergebnisse.size())
        return;
    m_pUhr->stop();
    SErgebnis& e = m_ergebnisse[m_nLaufend];
    e.nExitCode = status == QProcess::NormalExit ? nExitCode : -1;
    QFile pdf(e.pdf);
    const bool istPdf = pdf.open(QIODevice::ReadOnly) && pdf.read(4) == QByteArrayLiteral("%PDF");
    pdf.close();
    if (status == QProcess::NormalExit && istPdf && nExitCode == 0)
        e.status = Status::Ok;
    else if (status == QProcess::NormalExit && istPdf && nExitCode == 1)
        e.status = Status::OhneBilder;
    else
        e.status = Status::Fehlgeschlagen;
    m_pProzess->disconnect(this);
    m_pProzess->deleteLater();
    m_pProzess = nullptr;
    Naechste();
}

void CPdfKonverter::Zeitablauf()
{
    if (!m_pProzess)
        return;
    m_pProzess->disconnect(this);
    m_pProzess->kill();
    m_pProzess->waitForFinished(5000);
    m_pProzess->deleteLater();
    m_pProzess = nullptr;
    m_ergebnisse[m_nLaufend].status = Status::Zeitueberschreitung;
    m_ergebnisse[m_nLaufend].nExitCode = -2;
    Naechste();
}

void CPdfKonverter::Abbrechen()
{
    if (m_bFertig)
        return;
    m_pUhr->stop();
    if (m_pProzess) {
        m_pProzess->disconnect(this);
        m_pProzess->kill();
        m_pProzess->waitForFinished(5000);
        m_pProzess->deleteLater();
        m_pProzess = nullptr;
    }
    for (SErgebnis& e : m_ergebnisse)
        if (e.status == Status::Offen)
            e.status = Status::Abgebrochen;
    Ende();
}

void CPdfKonverter::Ende()
{
    m_bFertig = true;
    // A cancelled or failed report leaves no half-written PDF behind.
    for (const SErgebnis& e : m_ergebnisse)
        if (!e.Brauchbar() && !e.pdf.isEmpty())
            QFile::remove(e.pdf);
    if (auto kanal = std::static_pointer_cast<WaitStartEvent::Channel>(m_antwort))
        kanal->Post();
    m_antwort.reset();
    emit Fertig();
}

bool CPdfKonverter::event(QEvent* event)
{
    if (event->type() == WaitStartEvent::kType) {
        m_antwort = static_cast<WaitStartEvent*>(event)->ReplyChannel();
        Starte();
        return true;
    }
    return QObject::event(event);
}
