#include "added_draws.h"

#include "objects/anim_objects.h"
#include "objects/button_objects.h"
#include "objects/counter_movers.h"
#include "objects/cycling_objects.h"
#include "objects/fading_objects.h"
#include "objects/ghost_object.h"
#include "objects/infrared_object.h"
#include "objects/input_objects.h"
#include "objects/light_button_objects.h"
#include "objects/map_object.h"
#include "objects/object.h"
#include "objects/places_items_objects.h"
#include "objects/places_objects.h"
#include "objects/rotator_object.h"
#include "objects/slide_rotator.h"
#include "objects/slider_objects.h"
#include "objects/spinner_objects.h"
#include "objects/tag_object.h"
#include "objects/text_objects.h"
#include "objects/uv_objects.h"
#include "objects/video_object.h"
#include "objects/weight_objects.h"
#include "objects/weight_system.h"

namespace {

// One added operation of one kind (and the kinds built on it): called when the object is of that kind.
using TAddedDraw = void (*)(TObject& object);

template <typename Kind, void (Kind::*Operation)()> void Call(TObject& object) {
    if (auto* kind = dynamic_cast<Kind*>(&object)) {
        (kind->*Operation)();
    }
}

// One line per added operation. A ghost's DrawFrame draws its DrawAll, so the ghost has no line of its own.
const TAddedDraw kAddedDraws[] = {
    Call<TAnimObject, &TAnimObject::DrawAnimation>,
    Call<TButtonSequenceControlObject, &TButtonSequenceControlObject::DrawAll>,
    Call<TClickButtonObject, &TClickButtonObject::DrawAll>,
    Call<TDoubleHOCadrObject, &TDoubleHOCadrObject::DrawAll>,
    Call<TInfraredObject, &TInfraredObject::DrawAll>,
    Call<TLightCheckButtonObject, &TLightCheckButtonObject::DrawAll>,
    Call<TMouseEnterObject, &TMouseEnterObject::DrawAll>,
    Call<TMapObject, &TMapObject::DrawAll>,
    Call<TPlacesItemsObject, &TPlacesItemsObject::DrawAll>,
    Call<TPlacesItemsHandleObject, &TPlacesItemsHandleObject::DrawAll>,
    Call<TPlacesObject, &TPlacesObject::DrawAll>,
    Call<TPlacesHandleObject, &TPlacesHandleObject::DrawAll>,
    Call<TNoteCollectionItemObject, &TNoteCollectionItemObject::DrawAll>,
    Call<TRotatorObject, &TRotatorObject::DrawAll>,
    Call<TSlideImageRotator, &TSlideImageRotator::DrawAll>,
    Call<TTagObject, &TTagObject::DrawAll>,
    Call<TTextObject, &TTextObject::DrawAll>,
    Call<TTextInfoSwitchImageObject, &TTextInfoSwitchImageObject::DrawAll>,
    Call<TUVObject, &TUVObject::DrawAll>,
    Call<TVideoObject, &TVideoObject::DrawFrame>,
    Call<TSliderObject, &TSliderObject::DrawAll>,
    Call<TSpinnerObject, &TSpinnerObject::DrawAll>,
    Call<TChangeOnClickObject, &TChangeOnClickObject::DrawAll>,
    Call<TChangeOnActivateObject, &TChangeOnActivateObject::DrawAll>,
    Call<TSpinnerEchoObject, &TSpinnerEchoObject::DrawAll>,
    Call<TWeightPartObject, &TWeightPartObject::DrawAll>,
    Call<TWeightSystemObject, &TWeightSystemObject::DrawAll>,
};

} // namespace

void DrawAddedOperations(TObject& object) {
    for (TAddedDraw draw : kAddedDraws) {
        draw(object);
    }
    for (const auto& child : object.GetChildren()) {
        DrawAddedOperations(*child);
    }
}
