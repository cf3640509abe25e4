#include "rooms/repeater.h"

#include <cstdlib>

#include "app/log.h"
#include "app/xml_reader.h"
#include "rooms/effector.h"

float DrawUniform(float low, float high) {
    const float r = static_cast<float>(std::rand() % 32767) / 32767.0f;
    return low + r * (high - low);
}

TVariousTimeRepeater::TVariousTimeRepeater(TEffector* effector, float time, float offset, float startTime,
                                           float startOffset)
    : mEffector(effector), mTime(time), mOffset(offset), mStartTime(startTime), mStartOffset(startOffset) {
    Wait(DrawUniform(startTime - startOffset, startTime + startOffset));
}

// A wait of zero or less runs no timer: the effector then starts again once it has come to rest.
void TVariousTimeRepeater::Wait(float seconds) {
    if (seconds > 0) {
        mTimer.Start(seconds);
    }
}

void TVariousTimeRepeater::Update(float seconds) {
    if (mTimer.IsRunning()) {
        if (!mTimer.Update(seconds)) {
            return;
        }
    } else if (mEffector->IsBusy()) {
        return;
    }
    mEffector->Start();
    Wait(DrawUniform(mTime - mOffset, mTime + mOffset));
}

void TVariousTimeRepeater::WriteState(TBaseBuffer& buffer) const {
    mTimer.Write(buffer);
}

void TVariousTimeRepeater::ReadState(TBaseBuffer& buffer) {
    mTimer.Read(buffer);
}

std::unique_ptr<TRepeater> TVariousTimeRepeater::CloneFor(TEffector* effector) const {
    return std::make_unique<TVariousTimeRepeater>(effector, mTime, mOffset, mStartTime, mStartOffset);
}

std::unique_ptr<TRepeater> CreateRepeater(const TiXmlElement* element, TEffector* effector) {
    const std::string type = ReadXmlString(element, "type", "");
    if (type != "vartime") {
        TLogFile::Get()->Printf("warning: effector %s: repeater type %s unknown, none made", effector->mName.c_str(),
                                type.c_str());
        return nullptr;
    }
    return std::make_unique<TVariousTimeRepeater>(effector, ReadXmlFloat(element, "time", 0),
                                                  ReadXmlFloat(element, "offset", 0), ReadXmlFloat(element, "stime", 0),
                                                  ReadXmlFloat(element, "soffset", 0));
}
