// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/pulse_output.h"

// libpulse's declarations give the types; its functions are reached through the table
// below, loaded with dlopen() once the music starts, as FluidSynth is.
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "adapters/shared_library.h"

namespace zndl {
namespace {

constexpr const char* kLibrary = "libpulse.so.0";

// The stream's shape: blocks of 1024 frames asked for, 2048 queued at the server.
constexpr uint32_t kRequestFrames = 1024;
constexpr uint32_t kQueuedFrames = 2048;
constexpr size_t kFrameBytes = 2 * sizeof(float);

#define ZNDL_PULSE_FUNCTIONS(X)    \
  X(pa_threaded_mainloop_new)      \
  X(pa_threaded_mainloop_free)     \
  X(pa_threaded_mainloop_start)    \
  X(pa_threaded_mainloop_stop)     \
  X(pa_threaded_mainloop_lock)     \
  X(pa_threaded_mainloop_unlock)   \
  X(pa_threaded_mainloop_wait)     \
  X(pa_threaded_mainloop_signal)   \
  X(pa_threaded_mainloop_get_api)  \
  X(pa_proplist_new)               \
  X(pa_proplist_free)              \
  X(pa_proplist_sets)              \
  X(pa_context_new_with_proplist)  \
  X(pa_context_unref)              \
  X(pa_context_connect)            \
  X(pa_context_disconnect)         \
  X(pa_context_get_state)          \
  X(pa_context_set_state_callback) \
  X(pa_context_errno)              \
  X(pa_stream_new_with_proplist)   \
  X(pa_stream_unref)               \
  X(pa_stream_connect_playback)    \
  X(pa_stream_disconnect)          \
  X(pa_stream_get_state)           \
  X(pa_stream_set_state_callback)  \
  X(pa_stream_set_write_callback)  \
  X(pa_stream_writable_size)       \
  X(pa_stream_begin_write)         \
  X(pa_stream_cancel_write)        \
  X(pa_stream_write)               \
  X(pa_stream_cork)                \
  X(pa_stream_flush)               \
  X(pa_operation_unref)            \
  X(pa_strerror)

// The libpulse functions the music uses, each with the type its header declares.
struct PulseApi {
#define ZNDL_PULSE_POINTER(name) decltype(&::name) name = nullptr;
  ZNDL_PULSE_FUNCTIONS(ZNDL_PULSE_POINTER)
#undef ZNDL_PULSE_POINTER
};

const PulseApi* loadPulse(std::string* why) {
  static const PulseApi* const loaded = [why]() -> const PulseApi* {
    void* handle = shared_library::open(kLibrary, why);
    if (handle == nullptr) return nullptr;
    static PulseApi api;
    bool complete = true;
#define ZNDL_PULSE_RESOLVE(name) \
  complete = shared_library::resolve(handle, #name, api.name) && complete;
    ZNDL_PULSE_FUNCTIONS(ZNDL_PULSE_RESOLVE)
#undef ZNDL_PULSE_RESOLVE
    if (!complete && why != nullptr) *why = std::string(kLibrary) + " is incomplete";
    return complete ? &api : nullptr;
  }();
  if (loaded == nullptr && why != nullptr && why->empty())
    *why = std::string("cannot load ") + kLibrary;
  return loaded;
}

}  // namespace

struct PulseOutput::Impl {
  const PulseApi* pa = nullptr;
  Source source;
  std::string server;
  pa_threaded_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  pa_stream* stream = nullptr;
  std::vector<float> left, right;
  // Written under the loop's lock; read anywhere.
  std::atomic<bool> awake{true};
  std::atomic<bool> failed{false};
  // Counts the wakes, so a block's "nothing left" loses against a wake that came
  // after the block was asked for. Under the loop's lock.
  uint64_t wakes = 0;

  ~Impl() {
    if (loop == nullptr) return;
    pa->pa_threaded_mainloop_lock(loop);
    if (stream != nullptr) pa->pa_stream_disconnect(stream);
    if (context != nullptr) pa->pa_context_disconnect(context);
    pa->pa_threaded_mainloop_unlock(loop);
    pa->pa_threaded_mainloop_stop(loop);
    if (stream != nullptr) pa->pa_stream_unref(stream);
    if (context != nullptr) pa->pa_context_unref(context);
    pa->pa_threaded_mainloop_free(loop);
  }

  void drop(pa_operation* operation) const {
    if (operation != nullptr) pa->pa_operation_unref(operation);
  }

  // On libpulse's thread, with the loop locked: the server wants `bytes` more.
  void fill(size_t bytes) {
    if (!awake.load() || failed.load()) return;
    const uint64_t seen = wakes;
    size_t frames = bytes / kFrameBytes;
    while (frames > 0) {
      void* data = nullptr;
      size_t size = frames * kFrameBytes;
      if (pa->pa_stream_begin_write(stream, &data, &size) < 0 || data == nullptr) return;
      const size_t count = std::min(size / kFrameBytes, frames);
      if (count == 0) {
        pa->pa_stream_cancel_write(stream);
        return;
      }
      left.assign(count, 0.0f);
      right.assign(count, 0.0f);
      const bool more = source(left.data(), right.data(), static_cast<int>(count));
      auto* out = static_cast<float*>(data);
      for (size_t i = 0; i < count; ++i) {
        out[2 * i] = left[i];
        out[2 * i + 1] = right[i];
      }
      pa->pa_stream_write(stream, data, count * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
      frames -= count;
      if (!more) {
        if (wakes == seen) sleep();
        return;
      }
    }
  }

  void sleep() {
    awake.store(false);
    drop(pa->pa_stream_cork(stream, 1, nullptr, nullptr));
  }

  static void onContextState(pa_context*, void* self) {
    auto* impl = static_cast<Impl*>(self);
    impl->pa->pa_threaded_mainloop_signal(impl->loop, 0);
  }

  static void onStreamState(pa_stream* stream, void* self) {
    auto* impl = static_cast<Impl*>(self);
    if (impl->stream == stream && impl->pa->pa_stream_get_state(stream) == PA_STREAM_FAILED &&
        !impl->failed.exchange(true)) {
      std::fprintf(stderr,
                   "zandoodle: the sound server closed the music's stream; the music is silent\n");
    }
    impl->pa->pa_threaded_mainloop_signal(impl->loop, 0);
  }

  static void onWrite(pa_stream*, size_t bytes, void* self) {
    static_cast<Impl*>(self)->fill(bytes);
  }

  // The first block after a wake, rendered on libpulse's thread at once rather than
  // when the server's next request comes.
  static void onWoken(pa_mainloop_api* api, pa_defer_event* event, void* self) {
    api->defer_free(event);
    auto* impl = static_cast<Impl*>(self);
    impl->fill(impl->pa->pa_stream_writable_size(impl->stream));
  }

  std::string error() const { return pa->pa_strerror(pa->pa_context_errno(context)); }

  // With the loop locked: waits until the context is ready; false when it failed.
  bool connected() {
    for (;;) {
      const pa_context_state_t state = pa->pa_context_get_state(context);
      if (state == PA_CONTEXT_READY) return true;
      if (!PA_CONTEXT_IS_GOOD(state)) return false;
      pa->pa_threaded_mainloop_wait(loop);
    }
  }

  bool streaming() {
    for (;;) {
      const pa_stream_state_t state = pa->pa_stream_get_state(stream);
      if (state == PA_STREAM_READY) return true;
      if (!PA_STREAM_IS_GOOD(state)) return false;
      pa->pa_threaded_mainloop_wait(loop);
    }
  }
};

PulseOutput::PulseOutput(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

PulseOutput::~PulseOutput() = default;

std::unique_ptr<PulseOutput> PulseOutput::open(const std::string& server, Source source,
                                               double sampleRate, std::string* why) {
  std::string reason;
  const PulseApi* pa = loadPulse(&reason);
  if (pa == nullptr) {
    if (why != nullptr) *why = reason;
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  impl->pa = pa;
  impl->source = std::move(source);
  impl->server = server;
  impl->loop = pa->pa_threaded_mainloop_new();
  if (impl->loop == nullptr) {
    if (why != nullptr) *why = "no main loop";
    return nullptr;
  }
  pa_proplist* properties = pa->pa_proplist_new();
  pa->pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Zandoodle");
  pa->pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "zandoodle");
  pa->pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
  impl->context = pa->pa_context_new_with_proplist(pa->pa_threaded_mainloop_get_api(impl->loop),
                                                   "Zandoodle", properties);
  bool ready = false;
  if (impl->context != nullptr) {
    pa->pa_context_set_state_callback(impl->context, Impl::onContextState, impl.get());
    // Never spawn a server: one that is not running is not the desktop's.
    if (pa->pa_context_connect(impl->context, server.empty() ? nullptr : server.c_str(),
                               PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
        pa->pa_threaded_mainloop_start(impl->loop) >= 0) {
      pa->pa_threaded_mainloop_lock(impl->loop);
      if (impl->connected()) {
        const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(sampleRate), 2};
        impl->stream =
            pa->pa_stream_new_with_proplist(impl->context, "Music", &spec, nullptr, properties);
      }
      if (impl->stream != nullptr) {
        pa->pa_stream_set_state_callback(impl->stream, Impl::onStreamState, impl.get());
        pa->pa_stream_set_write_callback(impl->stream, Impl::onWrite, impl.get());
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<uint32_t>(-1);
        buffer.tlength = kQueuedFrames * kFrameBytes;
        buffer.prebuf = static_cast<uint32_t>(-1);
        buffer.minreq = kRequestFrames * kFrameBytes;
        buffer.fragsize = static_cast<uint32_t>(-1);
        ready = pa->pa_stream_connect_playback(impl->stream, nullptr, &buffer,
                                               PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) >= 0 &&
                impl->streaming();
      }
      if (!ready && why != nullptr) *why = impl->error();
      pa->pa_threaded_mainloop_unlock(impl->loop);
    } else if (why != nullptr) {
      *why = impl->error();
    }
  }
  pa->pa_proplist_free(properties);
  if (!ready) return nullptr;
  return std::unique_ptr<PulseOutput>(new PulseOutput(std::move(impl)));
}

void PulseOutput::wake() {
  Impl& s = *impl_;
  if (s.failed.load()) return;
  s.pa->pa_threaded_mainloop_lock(s.loop);
  ++s.wakes;
  if (!s.awake.load()) {
    s.awake.store(true);
    // What was queued before the sleep is silence: dropped, the tune's first block is
    // the next thing heard.
    s.drop(s.pa->pa_stream_flush(s.stream, nullptr, nullptr));
    s.drop(s.pa->pa_stream_cork(s.stream, 0, nullptr, nullptr));
    pa_mainloop_api* api = s.pa->pa_threaded_mainloop_get_api(s.loop);
    api->defer_new(api, Impl::onWoken, &s);
  }
  s.pa->pa_threaded_mainloop_unlock(s.loop);
}

bool PulseOutput::awake() const {
  return impl_->awake.load() && !impl_->failed.load();
}

std::string PulseOutput::description() const {
  return "PulseAudio (" +
         (impl_->server.empty() ? std::string("libpulse's default server") : impl_->server) + ")";
}

}  // namespace zndl
