// Turns HTML reports into PDF files with the external converter, one after the other, without blocking.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;
class QTimer;

// Runs wkhtmltopdf once per report in the UI thread's event loop: each conversion has its time limit, a
// cancel kills the running one and ends the chain. The PDFs go to a private temporary folder that lives as
// long as the object (or whoever takes it over). It also serves as the worker of the wait notice: its
// WaitStartEvent starts the chain and the end answers the notice.
class CPdfKonverter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kZeitlimitMs = 30000;

    enum class Status
    {
        Offen,
        Ok,
        OhneBilder, // exit code 1 with a PDF: a picture could not be read
        Fehlgeschlagen,
        Zeitueberschreitung,
        Abgebrochen,
        KeinProgramm,
    };
    struct SErgebnis
    {
        QString html;
        QString pdf;
        Status status = Status::Offen;
        int nExitCode = -1;
        // A PDF that may be offered to the user.
        bool Brauchbar() const { return status == Status::Ok || status == Status::OhneBilder; }
    };

    explicit CPdfKonverter(QObject* parent = nullptr);
    ~CPdfKonverter() override;

    // The converter program; by default wkhtmltopdf found on the search path (empty when missing).
    void SetProgramm(const QString& programm) { m_programm = programm; }
    QString Programm() const { return m_programm; }
    void SetZeitlimitMs(int ms) { m_zeitlimitMs = ms; }

    // Prepares the reports; pictures are read from the report folder only.
    void Vorbereiten(const QStringList& htmlDateien, const QString& berichtOrdner);
    // Starts the chain; without a program every report ends as KeinProgramm at once.
    void Starte();
    // Kills the running conversion; this and the ones not begun end as cancelled.
    void Abbrechen();
    bool IsFertig() const { return m_bFertig; }
    const QList<SErgebnis>& Ergebnisse() const { return m_ergebnisse; }
    // The private folder of the PDFs; empty when it could not be made.
    QString Ordner() const;
    // Hands the folder over (it then lives as long as the caller keeps it).
    std::unique_ptr<QTemporaryDir> UebernehmeOrdner();

signals:
    void Fertig();

protected:
    bool event(QEvent* event) override;

private:
    void Naechste();
    void Beendet(int nExitCode, QProcess::ExitStatus status);
    void Zeitablauf();
    void Ende();

    QString m_programm;
    int m_zeitlimitMs = kZeitlimitMs;
    QString m_berichtOrdner;
    QList<SErgebnis> m_ergebnisse;
    int m_nLaufend = -1;
    bool m_bFertig = false;
    QProcess* m_pProzess = nullptr;
    QTimer* m_pUhr = nullptr;
    std::unique_ptr<QTemporaryDir> m_pOrdner;
    std::shared_ptr<void> m_antwort; // the wait notice's channel while it waits
};
