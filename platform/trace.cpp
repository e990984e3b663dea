#include "platform/trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace r88 {
namespace {

std::mutex& SinkMutex() {
    static std::mutex m;
    return m;
}

TraceSink& CurrentSink() {
    static TraceSink sink;
    return sink;
}

bool StderrWanted() {
    static const bool wanted = [] {
        const char* v = std::getenv("VANTIRO_TRACE");
        return v != nullptr && *v != '\0' && *v != '0';
    }();
    return wanted;
}

}  // namespace

TraceSink SetTraceSink(TraceSink sink) {
    std::lock_guard lock(SinkMutex());
    TraceSink previous = std::move(CurrentSink());
    CurrentSink() = std::move(sink);
    return previous;
}

void Trace(std::string_view line) {
    TraceSink sink;
    {
        std::lock_guard lock(SinkMutex());
        sink = CurrentSink();
    }
    if (sink) {
        sink(line);
    } else if (StderrWanted()) {
        std::fwrite(line.data(), 1, line.size(), stderr);
        if (line.empty() || line.back() != '\n') std::fputc('\n', stderr);
    }
}

void TraceF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        va_end(args);
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    Trace(std::string_view(buffer.data(), static_cast<size_t>(needed)));
}

TraceCapture::TraceCapture() {
    // Lines from worker threads land in the shared store while the capture lives.
    previous_ = SetTraceSink([store = store_](std::string_view line) {
        std::lock_guard lock(store->mutex);
        store->text.append(line);
        if (line.empty() || line.back() != '\n') store->text.push_back('\n');
    });
}

TraceCapture::~TraceCapture() { SetTraceSink(std::move(previous_)); }

std::string TraceCapture::Text() const {
    std::lock_guard lock(store_->mutex);
    return store_->text;
}

bool TraceCapture::Contains(std::string_view fragment) const {
    std::lock_guard lock(store_->mutex);
    return store_->text.find(fragment) != std::string::npos;
}

void TraceCapture::Clear() {
    std::lock_guard lock(store_->mutex);
    store_->text.clear();
}

}  // namespace r88
