#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Records every message logged while it lives, and passes each on to the
// handler it found (the test's own output).
class LogCapture
{
public:
    struct Line
    {
        QtMsgType type;
        QString category;
        QString message;
    };

    LogCapture() : m_previous(qInstallMessageHandler(record)) { capture() = this; }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        capture() = nullptr;
    }
    Q_DISABLE_COPY(LogCapture)

    const QList<Line> &lines() const { return m_lines; }
    // The messages of one category and type.
    QStringList messages(const QString &category, QtMsgType type) const
    {
        QStringList found;
        for (const Line &line : m_lines)
            if (line.category == category && line.type == type)
                found.append(line.message);
        return found;
    }

private:
    static LogCapture *&capture()
    {
        static LogCapture *current = nullptr;
        return current;
    }
    static void record(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        LogCapture *self = capture();
        self->m_lines.append({type, QString::fromUtf8(context.category), message});
        if (self->m_previous)
            self->m_previous(type, context, message);
    }

    QtMessageHandler m_previous;
    QList<Line> m_lines;
};
