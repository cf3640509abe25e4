#pragma once
// A process-wide post office: objects that do not know each other signal by name. A message posted with a
// delay reaches every listener subscribed to its name once the delay has passed. Main thread only.

#include "app/weak_ref.h"
#include <memory>
#include <string>
#include <vector>

#include "graphics/shared_ptr.h"

class TMyMessage {
public:
    TMyMessage(const std::string& name, float delay) : mName(name), mDelay(delay) {}
    virtual ~TMyMessage() = default;
    TMyMessage(const TMyMessage&) = delete;
    TMyMessage& operator=(const TMyMessage&) = delete;

    // Lowers the delay; true once the message is due. A delay of 0 or less is due at once.
    virtual bool TickDelay(float dt);
    std::string GetName() const { return mName; }

    std::string mName;
    // Seconds left.
    float mDelay = 0;
};

class TMyMessageListener : public TWeakTarget {
public:
    TMyMessageListener() = default;
    TMyMessageListener(const TMyMessageListener&) = delete;
    TMyMessageListener& operator=(const TMyMessageListener&) = delete;
    // Leaves every subscription.
    virtual ~TMyMessageListener();
    // The receiver now holds a reference to the message.
    virtual void OnMessage(SharedPtr<TMyMessage> message) {}
    virtual std::string GetListenerName() const { return "unknown"; }
};

struct TMyMessageSubscription {
    std::string mName;
    // Not owned, in subscription order.
    std::vector<TMyMessageListener*> mListeners;

    // Calls the listeners subscribed when delivery starts, skipping any that have left since.
    void Deliver(const SharedPtr<TMyMessage>& message);
    bool Contains(const TMyMessageListener* listener) const;
};

class TMyMessageManager {
public:
    // The single manager, created empty on first use.
    static TMyMessageManager* Get();
    // The manager when it exists, without creating it.
    static TMyMessageManager* FindInstance();
    // Releases every message and subscription and deletes the manager.
    static void Release();

    TMyMessageManager(const TMyMessageManager&) = delete;
    TMyMessageManager& operator=(const TMyMessageManager&) = delete;

    // False for an empty name or a name already queued.
    bool Post(const std::string& name, float delay);
    bool Enqueue(const SharedPtr<TMyMessage>& message);
    // False for an empty name; a listener is subscribed to a name at most once.
    bool Subscribe(TMyMessageListener* listener, const std::string& name);
    void UnsubscribeAll(TMyMessageListener* listener);
    SharedPtr<TMyMessageSubscription> FindSubscription(const std::string& name) const;
    // Ticks the messages queued before the call and delivers the due ones; messages posted meanwhile
    // wait for the next dispatch.
    void Dispatch(float dt);

    size_t GetQueuedCount() const { return mQueue.size(); }

private:
    TMyMessageManager() = default;
    ~TMyMessageManager() = default;
    friend struct std::default_delete<TMyMessageManager>;

    std::vector<SharedPtr<TMyMessageSubscription>> mSubscriptions;
    std::vector<SharedPtr<TMyMessage>> mQueue;
};
