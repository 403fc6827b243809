#pragma once

#include <QIODevice>

namespace platform {

// An open file as a write-only device that keeps the first failure. Qt's PDF engine ignores
// what its writes return and reports success at its end whatever happened, so whoever hands
// it this device asks failure() afterwards instead of trusting the engine.
class CheckedFileDevice final : public QIODevice {
public:
    // Takes the descriptor over.
    explicit CheckedFileDevice(int descriptor);
    ~CheckedFileDevice() override;
    CheckedFileDevice(const CheckedFileDevice&) = delete;
    CheckedFileDevice& operator=(const CheckedFileDevice&) = delete;

    bool isSequential() const override { return true; }
    // The errno of the first write, sync or close that failed; 0 while none did.
    int failure() const { return m_failure; }
    // Brings the content to disk and closes the descriptor, each checked: true only when every
    // write went through in full as well.
    bool finish();
    // Closes the descriptor of a file that is given up. Either way the device stays open for a
    // writer that still holds it, whose further writes fail quietly.
    void drop();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void fail(int error);

    int m_descriptor;
    int m_failure = 0;
};

} // namespace platform
