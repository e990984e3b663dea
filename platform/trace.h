#pragma once
// Diagnostic trace lines. They are never shown to the user; they go to the
// installed sink (the UI routes them to a logging category that is off by
// default, tests capture them). Without a sink, VANTIRO_TRACE=1 prints them
// to stderr.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace r88 {

using TraceSink = std::function<void(std::string_view line)>;

// Replaces the sink; returns the previous one so a scope can restore it.
TraceSink SetTraceSink(TraceSink sink);

void Trace(std::string_view line);
void TraceF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Collects trace lines while it lives (for tests and for the packet dump of r88ctl).
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::string Text() const;
    bool Contains(std::string_view fragment) const;
    void Clear();

private:
    struct Store {
        std::mutex mutex;
        std::string text;
    };
    std::shared_ptr<Store> store_ = std::make_shared<Store>();
    TraceSink previous_;
};

}  // namespace r88
