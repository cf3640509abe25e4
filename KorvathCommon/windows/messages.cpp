#include "windows/messages.h"

#include <algorithm>

#include "app/log.h"
#include "windows/countdown.h"

namespace {
std::unique_ptr<TMyMessageManager> gMessageManager;
} // namespace

bool TMyMessage::TickDelay(float dt) {
    CountDown(mDelay, dt);
    return mDelay <= 0;
}

TMyMessageListener::~TMyMessageListener() {
    if (TMyMessageManager* manager = TMyMessageManager::FindInstance()) {
        manager->UnsubscribeAll(this);
    }
}

bool TMyMessageSubscription::Contains(const TMyMessageListener* listener) const {
    return std::find(mListeners.begin(), mListeners.end(), listener) != mListeners.end();
}

void TMyMessageSubscription::Deliver(const SharedPtr<TMyMessage>& message) {
    // Listeners may subscribe, unsubscribe or be destroyed while others receive the message.
    const std::vector<TMyMessageListener*> listeners = mListeners;
    for (TMyMessageListener* listener : listeners) {
        if (!Contains(listener)) {
            continue;
        }
        LogDebug("message %s to %s", mName.c_str(), listener->GetListenerName().c_str());
        listener->OnMessage(message);
    }
}

TMyMessageManager* TMyMessageManager::Get() {
    if (!gMessageManager) {
        gMessageManager.reset(new TMyMessageManager());
    }
    return gMessageManager.get();
}

TMyMessageManager* TMyMessageManager::FindInstance() {
    return gMessageManager.get();
}

void TMyMessageManager::Release() {
    // Listeners destroyed by the last message references no longer find the manager.
    std::unique_ptr<TMyMessageManager> manager = std::move(gMessageManager);
}

bool TMyMessageManager::Post(const std::string& name, float delay) {
    return Enqueue(SharedPtr<TMyMessage>(new TMyMessage(name, delay)));
}

bool TMyMessageManager::Enqueue(const SharedPtr<TMyMessage>& message) {
    if (!message || message->mName.empty()) {
        return false;
    }
    for (const SharedPtr<TMyMessage>& queued : mQueue) {
        if (queued->mName == message->mName) {
            return false;
        }
    }
    mQueue.push_back(message);
    return true;
}

bool TMyMessageManager::Subscribe(TMyMessageListener* listener, const std::string& name) {
    if (name.empty()) {
        return false;
    }
    SharedPtr<TMyMessageSubscription> subscription = FindSubscription(name);
    if (!subscription) {
        subscription = SharedPtr<TMyMessageSubscription>(new TMyMessageSubscription{name, {}});
        mSubscriptions.push_back(subscription);
    }
    if (!subscription->Contains(listener)) {
        subscription->mListeners.push_back(listener);
    }
    return true;
}

void TMyMessageManager::UnsubscribeAll(TMyMessageListener* listener) {
    for (auto it = mSubscriptions.begin(); it != mSubscriptions.end();) {
        std::vector<TMyMessageListener*>& listeners = (*it)->mListeners;
        auto found = std::find(listeners.begin(), listeners.end(), listener);
        if (found != listeners.end()) {
            listeners.erase(found);
        }
        it = listeners.empty() ? mSubscriptions.erase(it) : it + 1;
    }
}

SharedPtr<TMyMessageSubscription> TMyMessageManager::FindSubscription(const std::string& name) const {
    for (const SharedPtr<TMyMessageSubscription>& subscription : mSubscriptions) {
        if (subscription->mName == name) {
            return subscription;
        }
    }
    return {};
}

void TMyMessageManager::Dispatch(float dt) {
    // Only the messages queued now are examined: one posted by a receiver waits for the next dispatch,
    // so replies cannot keep one dispatch running.
    size_t examined = mQueue.size();
    size_t index = 0;
    while (index < examined && index < mQueue.size()) {
        if (!mQueue[index]->TickDelay(dt)) {
            ++index;
            continue;
        }
        // The message leaves the queue before delivery, so a receiver may post its name again.
        SharedPtr<TMyMessage> message = mQueue[index];
        mQueue.erase(mQueue.begin() + static_cast<std::ptrdiff_t>(index));
        --examined;
        if (SharedPtr<TMyMessageSubscription> subscription = FindSubscription(message->mName)) {
            subscription->Deliver(message);
        }
    }
}
