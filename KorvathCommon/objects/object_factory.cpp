#include "objects/object_factory.h"

#include <memory>
#include <new>

#include "objects/anim_objects.h"
#include "objects/balance_object.h"
#include "objects/ball_objects.h"
#include "objects/button_objects.h"
#include "objects/cadr_object.h"
#include "objects/clock_objects.h"
#include "objects/clouds_object.h"
#include "objects/collection_objects.h"
#include "objects/container_objects.h"
#include "objects/counter_movers.h"
#include "objects/cycling_objects.h"
#include "objects/fading_objects.h"
#include "objects/finish_video_wrapper.h"
#include "objects/flexible_objects.h"
#include "objects/ghost_object.h"
#include "objects/hidden_object.h"
#include "objects/infrared_object.h"
#include "objects/input_objects.h"
#include "objects/labyrinth_object.h"
#include "objects/light_button_objects.h"
#include "objects/light_objects.h"
#include "objects/map_object.h"
#include "objects/morphing_object.h"
#include "objects/mover_objects.h"
#include "objects/moving_clock_arrow.h"
#include "objects/multitool_object.h"
#include "objects/object.h"
#include "objects/particle_object.h"
#include "objects/places_items_objects.h"
#include "objects/places_objects.h"
#include "objects/rotator_object.h"
#include "objects/sequence_objects.h"
#include "objects/slide_rotator.h"
#include "objects/slider_objects.h"
#include "objects/spinner_objects.h"
#include "objects/switcher_object.h"
#include "objects/tag_object.h"
#include "objects/text_objects.h"
#include "objects/timer_objects.h"
#include "objects/transparent_object.h"
#include "objects/uv_objects.h"
#include "objects/video_object.h"
#include "objects/weight_objects.h"
#include "objects/weight_system.h"

namespace {

template <typename T> TObject* Make() {
    return new (std::nothrow) T();
}

const TObjectKind kObjectKinds[] = {
    {"switcher", "TSwitcherObject", "TObject", 2, Make<TSwitcherObject>},
    {"hidden", "THiddenObject", "TObject", 1, Make<THiddenObject>},
    {"mover", "TMoverObject", "TObject", 0, Make<TMoverObject>},
    {"arc_mover", "TArcMoverObject", "TObject", 13, Make<TArcMoverObject>},
    {"shutter_object", "TShutterObject", "TObject", 34, Make<TShutterObject>},
    {"multytool", "TMultyToolObject", "TObject", 0, Make<TMultyToolObject>},
    {"particle", "TParticleObject", "TObject", 47, Make<TParticleObject>},
    {"cloud", "TCloudsObject", "TObject", 0, Make<TCloudsObject>},
    {"animlinemover", "TLineMovingAnimObject", "TAnimObject", 12, Make<TLineMovingAnimObject>},
    {"anim", "TAnimObject", "TObject", 11, Make<TAnimObject>},
    {"cadrobj", "TCadrObject", "TObject", 18, Make<TCadrObject>},
    {"cadritemsobj", "TCadrItemsObject", "TObject", 19, Make<TCadrItemsObject>},
    {"udflex", "TUDFlexibleObject", "TFlexibleObject", 25, Make<TUDFlexibleObject>},
    {"tag_object", "TTagObject", "TObject", 38, Make<TTagObject>},
    {"labyrinth_object", "TLabyrinthObject", "TObject", 26, Make<TLabyrinthObject>},
    {"balance_object", "TBalanceObject", "TTransparentObject", 15, Make<TBalanceObject>},
    {"places_object", "TPlacesObject", "TObject", 33, Make<TPlacesObject>},
    {"places_handle_object", "TPlacesHandleObject", "TTransparentObject", 32, Make<TPlacesHandleObject>},
    {"places_handle_object2", "TPlacesHandleObject", "TTransparentObject", 32, Make<TPlacesHandleObject>},
    {"placesitems_object", "TPlacesItemsObject", "TObject", 33, Make<TPlacesItemsObject>},
    {"placesitems_handle_object", "TPlacesItemsHandleObject", "TTransparentObject", 32, Make<TPlacesItemsHandleObject>},
    {"placesitems_handle_object2", "TPlacesItemsHandleObject", "TTransparentObject", 32,
     Make<TPlacesItemsHandleObject>},
    {"ball_shooter_object", "TBallShooterObject", "TTransparentObject", 16, Make<TBallShooterObject>},
    {"asterix", "TAsterixObject", "TObject", 14, Make<TAsterixObject>},
    {"gun_ball", "TGunBallObject", "TObject", 0, Make<TGunBallObject>},
    {"moving_clock_arrow", "TMovingClockArrowObject", "TObject", 30, Make<TMovingClockArrowObject>},
    {"button_seq_control", "TButtonSequenceControlObject", "TObject", 17, Make<TButtonSequenceControlObject>},
    {"light_checkbutton", "TLightCheckButtonObject", "TObject", 27, Make<TLightCheckButtonObject>},
    {"light_checkbutton2", "TLCBResetOnUnlockObject", "TLightCheckButtonObject", 28, Make<TLCBResetOnUnlockObject>},
    {"slider", "TSliderObject", "TObject", 35, Make<TSliderObject>},
    {"dragslider", "TDragSliderObject", "TSliderObject", 36, Make<TDragSliderObject>},
    {"springedobj", "TSpringedObject", "TDragSliderObject", 37, Make<TSpringedObject>},
    {"timer", "TTimerObject", "TObject", 0, Make<TTimerObject>},
    {"shape", "TShapeObject", "TObject", 45, Make<TShapeObject>},
    {"focuser", "TFocuserObject", "TObject", 60, Make<TFocuserObject>},
    {"ghost", "TGhostObject", "TVideoObject", 22, Make<TGhostObject>},
    {"infrared", "TInfraredObject", "TObject", 23, Make<TInfraredObject>},
    {"clockarrow", "TClockArrowObject", "TObject", 20, Make<TClockArrowObject>},
    {"limitedarrow", "TLimitedArrowObject", "TDragClockArrowObject", 29, Make<TLimitedArrowObject>},
    {"clock", "TClockObject", "TObject", 21, Make<TClockObject>},
    {"video", "TVideoObject", "TObject", 10, Make<TVideoObject>},
    {"animfile", "TAnimFileObject", "TObject", 39, Make<TAnimFileObject>},
    {"transp", "TTransparentObject", "TObject", 40, Make<TTransparentObject>},
    {"bring_to_top", "TBringToTopObject", "TTransparentObject", 41, Make<TBringToTopObject>},
    {"group", "TGroupObject", "TTransparentObject", 42, Make<TGroupObject>},
    {"fgroup", "TFoudedGroupObject", "TGroupObject", 42, Make<TFoudedGroupObject>},
    {"slide_rotator", "TSlideImageRotator", "TObject", 43, Make<TSlideImageRotator>},
    {"case_lock", "TCaseLockObject", "TTransparentObject", 44, Make<TCaseLockObject>},
    {"rotator", "TRotatorObject", "TObject", 46, Make<TRotatorObject>},
    {"counter", "TActivateCounter", "TObject", 48, Make<TActivateCounter>},
    {"textinfo", "TTextInfoObject", "TObject", 49, Make<TTextInfoObject>},
    {"textinfoswitch", "TTextInfoSwitchImageObject", "TTextInfoObject", 50, Make<TTextInfoSwitchImageObject>},
    {"morph_obj", "TMorphingObject", "TObject", 51, Make<TMorphingObject>},
    {"double_morph_obj", "TDoubleMorphingObject", "TMorphingObject", 51, Make<TDoubleMorphingObject>},
    {"morph_obj2", "TMorphingObject2", "TObject", 52, Make<TMorphingObject2>},
    {"map_obj", "TMapObject", "TObject", 53, Make<TMapObject>},
    {"sound_obj", "TSoundObject", "TObject", 54, Make<TSoundObject>},
    {"me_group", "TMouseEventsGroup", "TObject", 55, Make<TMouseEventsGroup>},
    {"dialog_obj", "TDialogObject", "TObject", 56, Make<TDialogObject>},
    {"uv_obj", "TUVObject", "TObject", 57, Make<TUVObject>},
    {"uvspin_obj", "TUVSpinObject", "TUVObject", 59, Make<TUVSpinObject>},
    {"light_obj", "TLightObject", "TObject", 58, Make<TLightObject>},
    {"fading_video", "TLightObject", "TObject", 58, Make<TLightObject>},
    {"delay_loops_sound", "TDelayLoopsSoundObject", "TObject", 62, Make<TDelayLoopsSoundObject>},
    {"blending_obj", "TBlendingObject", "TObject", 63, Make<TBlendingObject>},
    {"collection_item", "TCollectionItemObject", "TObject", 64, Make<TCollectionItemObject>},
    {"note_collection", "TNoteCollectionObject", "TObject", 65, Make<TNoteCollectionObject>},
    {"note_collection_item", "TNoteCollectionItemObject", "TObject", 66, Make<TNoteCollectionItemObject>},
    {"doublescore", "TDoubleScoreObject", "TObject", 67, Make<TDoubleScoreObject>},
    {"doublescorecounter", "TDoubleHOCadrObject", "TCadrObject", 69, Make<TDoubleHOCadrObject>},
    {"text_obj", "TTextObject", "TObject", 68, Make<TTextObject>},
    {"change_on_click", "TChangeOnClickObject", "TObject", 70, Make<TChangeOnClickObject>},
    {"change_on_clickp", "TChangeOnClickParentObject", "TTransparentObject", 71, Make<TChangeOnClickParentObject>},
    {"spinner", "TSpinnerObject", "TObject", 72, Make<TSpinnerObject>},
    {"spinner_seq", "TSpinnerSequenceObject", "TTransparentObject", 73, Make<TSpinnerSequenceObject>},
    {"spinner_echo", "TSpinnerEchoObject", "TObject", 74, Make<TSpinnerEchoObject>},
    {"click_button", "TClickButtonObject", "TObject", 75, Make<TClickButtonObject>},
    {"change_on_activate", "TChangeOnActivateObject", "TObject", 76, Make<TChangeOnActivateObject>},
    {"change_on_activatep", "TChangeOnActivateParentObject", "TObject", 77, Make<TChangeOnActivateParentObject>},
    {"finish_video_wrapper", "TFinishVideoWrapperObject", "TObject", 78, Make<TFinishVideoWrapperObject>},
    {"conjunct_weight", "TConjunctWeightObject", "TObject", 79, Make<TConjunctWeightObject>},
    {"conjunct_weightp", "TConjunctWeightParentObject", "TTransparentObject", 80, Make<TConjunctWeightParentObject>},
    {"weight_system", "TWeightSystemObject", "TObject", 83, Make<TWeightSystemObject>},
    {"weight_part", "TWeightPartObject", "TObject", 82, Make<TWeightPartObject>},
    {"seq_show", "TShowSequenceObject", "TObject", 0, Make<TShowSequenceObject>},
    {"finder_mover", "TFinderMoverObject", "TMoverObject", 0, Make<TFinderMoverObject>},
    {"mouse_enter", "TMouseEnterObject", "TObject", 84, Make<TMouseEnterObject>},
    {"target", "TTargetObject", "TMoverObject", 85, Make<TTargetObject>},
    {"trajectorymovercadr2", "TrajectoryMoverCadrImage2Object", "TObject", 0, Make<TrajectoryMoverCadrImage2Object>},
};

std::unique_ptr<TBaseObjectFactory> gObjectFactory;

} // namespace

std::span<const TObjectKind> GetObjectKinds() {
    return kObjectKinds;
}

TBaseObjectFactory* TObjectFactory::GetInstance() {
    return gObjectFactory.get();
}

void TObjectFactory::CreateInstance() {
    if (!gObjectFactory) {
        gObjectFactory = std::make_unique<TObjectFactory>();
    }
}

void TObjectFactory::DestroyInstance() {
    gObjectFactory.reset();
}

TObject* TObjectFactory::Create(const std::string& type) {
    if (type.empty()) {
        return new (std::nothrow) TObject();
    }
    for (const TObjectKind& kind : kObjectKinds) {
        if (type == kind.typeName) {
            return kind.create();
        }
    }
    return nullptr;
}
