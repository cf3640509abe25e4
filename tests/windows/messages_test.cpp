// Named delayed messages: posting rules, delivery order, listeners that change during delivery, and
// messages posted by receivers.

#include <functional>
#include <memory>

#include "windows_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class MessagesTest : public wintest::WindowsTest {
protected:
    TMyMessageManager* Messages() { return TMyMessageManager::Get(); }
};

// Writes "<name> got <message>" and runs an optional reaction.
class TRecorder : public TMyMessageListener {
public:
    TRecorder(const std::string& name, Lines& lines) : mName(name), mLines(lines) {}
    void OnMessage(SharedPtr<TMyMessage> message) override {
        mLines.push_back(mName + " got " + message->GetName());
        if (mReact) {
            mReact(message);
        }
    }
    std::string GetListenerName() const override { return mName; }

    std::string mName;
    Lines& mLines;
    std::function<void(const SharedPtr<TMyMessage>&)> mReact;
};

TEST_F(MessagesTest, PostingRefusesEmptyAndQueuedNames) {
    struct Step {
        const char* name;
        float delay;
        bool queued;
    };
    const std::vector<Step> steps = {
        {"A", 1.0f, true}, {"A", 0.0f, false}, {"", 0.0f, false}, {"B", 0.0f, true}, {"a", 0.0f, true}};
    for (const Step& step : steps) {
        EXPECT_EQ(Messages()->Post(step.name, step.delay), step.queued) << "'" << step.name << "'";
    }
    EXPECT_EQ(Messages()->GetQueuedCount(), 3u);
    Messages()->Dispatch(0.0f);
    // "B" and "a" were due and left without a subscription; "A" keeps its name taken.
    EXPECT_EQ(Messages()->GetQueuedCount(), 1u);
    EXPECT_FALSE(Messages()->Post("A", 0.0f));
}

TEST_F(MessagesTest, DueMessagesReachEverySubscriberOnceInOrder) {
    Lines lines;
    TRecorder first("first", lines);
    TRecorder second("second", lines);
    EXPECT_FALSE(Messages()->Subscribe(&first, ""));
    EXPECT_TRUE(Messages()->Subscribe(&first, "go"));
    EXPECT_TRUE(Messages()->Subscribe(&second, "go"));
    EXPECT_TRUE(Messages()->Subscribe(&first, "go"));
    Messages()->Post("go", 0.5f);
    Messages()->Post("never", -1.0f);
    Messages()->Dispatch(0.25f);
    EXPECT_TRUE(lines.empty());
    Messages()->Dispatch(0.25f);
    EXPECT_EQ(lines, (Lines{"first got go", "second got go"}));
    // A delay below 0 counts as due at once instead of keeping the name taken for ever.
    EXPECT_EQ(Messages()->GetQueuedCount(), 0u);
}

TEST_F(MessagesTest, ListenersThatLeaveDuringDeliveryAreSkippedOthersStillReceive) {
    Lines lines;
    TRecorder leaver("leaver", lines);
    auto doomed = std::make_unique<TRecorder>("doomed", lines);
    TRecorder killer("killer", lines);
    TRecorder last("last", lines);
    leaver.mReact = [&](const SharedPtr<TMyMessage>&) { Messages()->UnsubscribeAll(&leaver); };
    killer.mReact = [&](const SharedPtr<TMyMessage>&) { doomed.reset(); };
    for (TRecorder* listener : {&leaver, &killer, doomed.get(), &last}) {
        Messages()->Subscribe(listener, "bell");
    }
    Messages()->Post("bell", 0.0f);
    Messages()->Dispatch(0.016f);
    EXPECT_EQ(lines, (Lines{"leaver got bell", "killer got bell", "last got bell"}));
    lines.clear();
    Messages()->Post("bell", 0.0f);
    Messages()->Dispatch(0.016f);
    EXPECT_EQ(lines, (Lines{"killer got bell", "last got bell"}));
}

TEST_F(MessagesTest, ADeletedListenerLeavesEverySubscription) {
    Lines lines;
    auto alone = std::make_unique<TRecorder>("alone", lines);
    TRecorder shared("shared", lines);
    Messages()->Subscribe(alone.get(), "solo");
    Messages()->Subscribe(alone.get(), "duet");
    Messages()->Subscribe(&shared, "duet");
    alone.reset();
    EXPECT_FALSE(Messages()->FindSubscription("solo"));
    ASSERT_TRUE(Messages()->FindSubscription("duet"));
    EXPECT_EQ(Messages()->FindSubscription("duet")->mListeners, (std::vector<TMyMessageListener*>{&shared}));
    Messages()->Post("solo", 0.0f);
    Messages()->Post("duet", 0.0f);
    Messages()->Dispatch(0.0f);
    EXPECT_EQ(lines, (Lines{"shared got duet"}));
}

TEST_F(MessagesTest, RepliesWaitForTheNextDispatch) {
    Lines lines;
    TRecorder ping("ping", lines);
    TRecorder pong("pong", lines);
    TRecorder again("again", lines);
    Messages()->Subscribe(&ping, "ping");
    Messages()->Subscribe(&pong, "pong");
    Messages()->Subscribe(&again, "tick");
    ping.mReact = [&](const SharedPtr<TMyMessage>&) { Messages()->Post("pong", 0.0f); };
    pong.mReact = [&](const SharedPtr<TMyMessage>&) { Messages()->Post("ping", 0.0f); };
    // Its own name is free again while it is delivered.
    again.mReact = [&](const SharedPtr<TMyMessage>&) { EXPECT_TRUE(Messages()->Post("tick", 0.0f)); };
    Messages()->Post("ping", 0.0f);
    Messages()->Post("tick", 0.0f);
    const Lines perDispatch[] = {
        {"ping got ping", "again got tick"}, {"pong got pong", "again got tick"}, {"ping got ping", "again got tick"}};
    for (const Lines& expected : perDispatch) {
        lines.clear();
        Messages()->Dispatch(0.016f);
        EXPECT_EQ(lines, expected);
    }
}

TEST_F(MessagesTest, AReceiverMayKeepTheMessage) {
    Lines lines;
    TRecorder keeper("keeper", lines);
    SharedPtr<TMyMessage> kept;
    keeper.mReact = [&](const SharedPtr<TMyMessage>& message) { kept = message; };
    Messages()->Subscribe(&keeper, "parcel");
    Messages()->Post("parcel", 0.0f);
    Messages()->Dispatch(0.0f);
    ASSERT_TRUE(kept);
    EXPECT_EQ(SharedPtr<TMyMessage>::RefCount(kept.Get()), 1);
    EXPECT_EQ(kept->GetName(), "parcel");
}

} // namespace
