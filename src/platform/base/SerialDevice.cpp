// The serial port over Qt SerialPort.
//
// A QSerialPort belongs to the thread that made it: its socket notifiers register there. Our
// callers are the user-interface thread (open, close) and the link's monitoring thread (all
// the rest), so the port lives on a private QThread that only runs the calls handed to it. That
// thread has an event dispatcher, so the notifiers register without complaint, but it never
// processes events: the port's own reads happen inside the blocking calls made here, and no
// other thread ever touches the port.
#include "SerialDevice.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>

namespace {

// Runs the jobs posted to it, one after another, until Quit.
class CPortThread : public QThread {
public:
    ~CPortThread() override { Quit(); }

    void Post(std::function<void()> job)
    {
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_cv.notify_all();
    }

    // Runs the jobs still queued, ends the thread and waits for it.
    void Quit()
    {
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_bQuit = true;
        }
        m_cv.notify_all();
        wait();
    }

protected:
    void run() override
    {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock<std::mutex> lk(m_mutex);
                m_cv.wait(lk, [this] { return m_bQuit || !m_jobs.empty(); });
                if (m_jobs.empty())
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job();
        }
    }

private:
    std::mutex m_mutex;  // guards the queue and the quit flag
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_jobs;
    bool m_bQuit = false;
};

class CQtSerialDevice : public ISerialDevice {
public:
    CQtSerialDevice()
    {
        m_thread.start();
        Call<bool>([this] {
            m_pPort = std::make_unique<QSerialPort>();
            return true;
        });
    }

    ~CQtSerialDevice() override
    {
        Call<bool>([this] {
            if (m_pPort->isOpen())
                m_pPort->close();
            m_pPort.reset();  // on its own thread
            return true;
        });
        m_thread.Quit();
    }

    bool Open(const std::string& name) override
    {
        const bool ok = Call<bool>([this, &name] {
            if (m_pPort->isOpen())
                m_pPort->close();
            m_pPort->setPortName(QString::fromStdString(name));
            return Note(m_pPort->open(QIODevice::ReadWrite));
        });
        m_bOpen = ok;
        return ok;
    }

    void Close() override
    {
        Call<bool>([this] {
            if (m_pPort->isOpen())
                m_pPort->close();
            return true;
        });
        m_bOpen = false;
    }

    bool IsOpen() const override { return m_bOpen.load(); }

    bool SetBaudRate(int baud) override
    {
        return Call<bool>([this, baud] { return Note(baud > 0 && m_pPort->setBaudRate(baud)); });
    }

    bool SetParity(char parity) override
    {
        QSerialPort::Parity value;
        switch (parity) {
        case 'N': case 'n': value = QSerialPort::NoParity; break;
        case 'E': case 'e': value = QSerialPort::EvenParity; break;
        case 'O': case 'o': value = QSerialPort::OddParity; break;
        case 'M': case 'm': value = QSerialPort::MarkParity; break;
        case 'S': case 's': value = QSerialPort::SpaceParity; break;
        default: return false;
        }
        return Call<bool>([this, value] { return Note(m_pPort->setParity(value)); });
    }

    bool SetDataBits(int bits) override
    {
        if (bits < 5 || bits > 8)
            return false;
        const auto value = static_cast<QSerialPort::DataBits>(bits);
        return Call<bool>([this, value] { return Note(m_pPort->setDataBits(value)); });
    }

    bool SetStopBits(int bits) override
    {
        if (bits != 1 && bits != 2)
            return false;
        const QSerialPort::StopBits value = bits == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop;
        return Call<bool>([this, value] { return Note(m_pPort->setStopBits(value)); });
    }

    bool SetRequestToSend(bool on) override
    {
        return Call<bool>([this, on] { return Note(m_pPort->setRequestToSend(on)); });
    }

    bool Purge() override
    {
        return Call<bool>([this] { return Note(m_pPort->clear(QSerialPort::AllDirections)); });
    }

    int Write(const BYTE* data, int n, int timeoutMs) override
    {
        if (!data || n <= 0)
            return n == 0 ? 0 : -1;
        return Call<int>([this, data, n, timeoutMs] {
            if (m_pPort->write(reinterpret_cast<const char*>(data), n) != n)
                return Fail();
            using namespace std::chrono;
            const auto deadline = steady_clock::now() + milliseconds(std::max(timeoutMs, 0));
            while (m_pPort->bytesToWrite() > 0) {
                const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
                if (left <= 0 || !m_pPort->waitForBytesWritten(int(left)))
                    return Fail();
            }
            return n;
        });
    }

    int BytesAvailable() override
    {
        return Call<int>([this] { return m_pPort->isOpen() ? int(m_pPort->bytesAvailable()) : Fail(); });
    }

    int WaitForInput(int timeoutMs) override
    {
        return Call<int>([this, timeoutMs] {
            if (!m_pPort->isOpen())
                return Fail();
            if (m_pPort->bytesAvailable() > 0)
                return int(m_pPort->bytesAvailable());
            if (m_pPort->waitForReadyRead(std::max(timeoutMs, 0)))
                return int(m_pPort->bytesAvailable());
            const QSerialPort::SerialPortError error = m_pPort->error();
            if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
                m_pPort->clearError();
                return 0;
            }
            return Fail();
        });
    }

    int Read(BYTE* out, int max) override
    {
        if (!out || max <= 0)
            return 0;
        return Call<int>([this, out, max] {
            const qint64 n = m_pPort->read(reinterpret_cast<char*>(out), max);
            return n < 0 ? Fail() : int(n);
        });
    }

    std::string GetErrorText() const override
    {
        std::lock_guard<std::mutex> lk(m_errorMutex);
        return m_strError;
    }

private:
    // Runs f on the port's thread and returns its result.
    template <class T>
    T Call(std::function<T()> f)
    {
        std::packaged_task<T()> task(std::move(f));
        std::future<T> result = task.get_future();
        m_thread.Post([&task] { task(); });
        return result.get();
    }

    // Port thread: keeps the port's error text when ok is false.
    bool Note(bool ok)
    {
        if (!ok) {
            std::lock_guard<std::mutex> lk(m_errorMutex);
            m_strError = m_pPort->errorString().toStdString();
        }
        return ok;
    }
    int Fail()
    {
        Note(false);
        return -1;
    }

    CPortThread m_thread;
    std::unique_ptr<QSerialPort> m_pPort;  // made, used and deleted on m_thread only
    std::atomic<bool> m_bOpen{false};
    mutable std::mutex m_errorMutex;  // guards m_strError
    std::string m_strError;
};

}  // namespace

std::unique_ptr<ISerialDevice> SerialDevice::Create() { return std::make_unique<CQtSerialDevice>(); }

std::vector<SerialPortEntry> SerialDevice::ListPorts()
{
    std::vector<SerialPortEntry> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry e;
        e.portName = info.portName().toStdString();
        e.systemLocation = info.systemLocation().toStdString();
        e.description = info.description().toStdString();
        e.manufacturer = info.manufacturer().toStdString();
        e.bUsb = info.hasVendorIdentifier() && info.hasProductIdentifier();
        out.push_back(std::move(e));
    }
    std::sort(out.begin(), out.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.portName < b.portName; });
    return out;
}
