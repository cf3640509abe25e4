#include <memory>
#include <new>

#include "objects/object_factory.h"
#include "rooms/room.h"

namespace {

std::unique_ptr<TBaseRoomFactory> gRoomFactory;

} // namespace

TBaseRoomFactory* TRoomFactory::GetInstance() {
    return gRoomFactory.get();
}

void TRoomFactory::CreateInstance() {
    if (!gRoomFactory) {
        gRoomFactory = std::make_unique<TRoomFactory>();
    }
}

void TRoomFactory::DestroyInstance() {
    gRoomFactory.reset();
}

TRoom* TRoomFactory::Create(const std::string& name, const std::string& folder) {
    return new (std::nothrow) TRoom();
}
