// Ends the user-interface loop cleanly (exit code 0) on SIGTERM or SIGINT.
//
// The signal handler only writes a byte to a pipe; the loop reads it and quits, so all the
// shutting down happens on the user-interface thread in the ordinary way.
#pragma once

class QSocketNotifier;

class CQuitSignals {
public:
    // Installs the handlers; call on the user-interface thread after the QApplication exists.
    CQuitSignals();
    // Restores the default handlers.
    ~CQuitSignals();
    CQuitSignals(const CQuitSignals&) = delete;
    CQuitSignals& operator=(const CQuitSignals&) = delete;

    bool IsInstalled() const { return m_pNotifier != nullptr; }

private:
    QSocketNotifier* m_pNotifier = nullptr;
};
