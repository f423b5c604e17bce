// Splits what a mail client sends into command lines and messages, for the tests' little mail servers.
#pragma once

#include <QByteArray>

// Bytes go in as they arrive; each whole command line (without its CRLF) goes to onLine, and after a line
// that starts with DATA the text up to the lone dot goes to onMessage as one message (with its last
// CRLF, without the dot). onLine returns false to stop reading, e.g. after the connection was closed.
class SmtpReader
{
public:
    template <class OnLine, class OnMessage>
    void Feed(const QByteArray& data, OnLine&& onLine, OnMessage&& onMessage)
    {
        m_buffer += data;
        for (;;) {
            if (m_inData) {
                const qsizetype end = m_buffer.indexOf("\r\n.\r\n");
                if (end < 0)
                    return;
                const QByteArray message = m_buffer.left(end + 2);
                m_buffer.remove(0, end + 5);
                m_inData = false;
                onMessage(message);
                continue;
            }
            const qsizetype end = m_buffer.indexOf("\r\n");
            if (end < 0)
                return;
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            m_inData = line.startsWith("DATA");
            if (!onLine(line))
                return;
        }
    }

private:
    QByteArray m_buffer;
    bool m_inData = false;
};
