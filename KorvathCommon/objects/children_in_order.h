#pragma once
// Pointer events a handle hands on to its children, in list order, until one takes the event.

#include <memory>
#include <vector>

#include "objects/object.h"

template <typename Call> bool OfferInOrder(const std::vector<std::unique_ptr<TObject>>& children, Call call) {
    for (const auto& child : children) {
        if (call(*child)) {
            return true;
        }
    }
    return false;
}
