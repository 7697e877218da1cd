#pragma once

#include <QString>

#include <firebird/Interface.h>

namespace fb {

/// The client library's entry points, and the one status wrapper through which every call
/// reports its errors: a failed call throws fb::Error with the engine's formatted message.
/// The engine never shuts itself down on SIGINT or SIGTERM: what they mean is the program's
/// business.
class Client
{
public:
    /// Points the client at a private engine configuration folder. Must be called before the
    /// first database call of the process; later calls have no effect on the running engine.
    static void useConfigurationRoot(const QString &folder);

    static Firebird::IMaster *master();
    static Firebird::IUtil *util();
    static Firebird::IProvider *provider();
};

/// Status wrapper for Firebird's interfaces. Its checkException is where engine errors
/// become fb::Error, so the message is formatted in this one place.
class Status : public Firebird::BaseStatusWrapper<Status>
{
public:
    Status();
    ~Status();
    Status(const Status &) = delete;
    Status &operator=(const Status &) = delete;

    static void checkException(Status *status);
};

/// Owns one reference of a Firebird interface and lets it go when dropped. Calls that end an
/// object on success (commit, detach, close, free) release it themselves: take() the pointer
/// out before making them.
template<typename Interface>
class Ref
{
public:
    Ref() = default;
    explicit Ref(Interface *object) : m_object(object) {}
    ~Ref() { reset(); }
    Ref(Ref &&other) noexcept : m_object(other.take()) {}
    Ref &operator=(Ref &&other) noexcept
    {
        if (this != &other) {
            reset();
            m_object = other.take();
        }
        return *this;
    }
    Ref(const Ref &) = delete;
    Ref &operator=(const Ref &) = delete;

    Interface *get() const { return m_object; }
    Interface *operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    Interface *take()
    {
        Interface *object = m_object;
        m_object = nullptr;
        return object;
    }
    void reset()
    {
        if (!m_object)
            return;
        // Reference-counted interfaces are released; the disposable ones (builders) disposed.
        if constexpr (requires(Interface *object) { object->release(); })
            take()->release();
        else
            take()->dispose();
    }

private:
    Interface *m_object = nullptr;
};

} // namespace fb
