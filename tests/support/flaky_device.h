#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

// A device for the failures a file can show: it hands out `source` to a reader and then reports
// a read error; it takes `budget` bytes from a writer and then fails, with an error or, like a
// full disk, by quietly taking fewer bytes than asked. Header-only and Qt Core only, so that the
// fuzzers use it as well.
class FlakyDevice : public QIODevice {
public:
    FlakyDevice(const QByteArray& source, qint64 budget, bool reportsError)
        : m_source(source)
        , m_budget(budget)
        , m_reportsError(reportsError)
    {
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    QByteArray written;

protected:
    qint64 readData(char* data, qint64 size) override
    {
        const qint64 given = std::min<qint64>(size, m_source.size());
        std::copy_n(m_source.constData(), given, data);
        m_source.remove(0, given);
        return given > 0 ? given : -1;
    }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_reportsError && size > m_budget)
            return -1;
        const qint64 taken = std::min(size, m_budget);
        written.append(data, taken);
        m_budget -= taken;
        return taken;
    }

private:
    QByteArray m_source;
    qint64 m_budget;
    bool m_reportsError;
};
