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
    {"switcher", "TSwitcherObject", "TObject", 2, Make<TSwitcherObject>, false},
    {"hidden", "THiddenObject", "TObject", 1, Make<THiddenObject>, false},
    {"mover", "TMoverObject", "TObject", 0, Make<TMoverObject>, false},
    {"arc_mover", "TArcMoverObject", "TObject", 13, Make<TArcMoverObject>, false},
    {"shutter_object", "TShutterObject", "TObject", 34, Make<TShutterObject>, false},
    {"multytool", "TMultyToolObject", "TObject", 0, Make<TMultyToolObject>, false},
    {"particle", "TParticleObject", "TObject", 47, Make<TParticleObject>, false},
    {"cloud", "TCloudsObject", "TObject", 0, Make<TCloudsObject>, false},
    {"animlinemover", "TLineMovingAnimObject", "TAnimObject", 12, Make<TLineMovingAnimObject>, false},
    {"anim", "TAnimObject", "TObject", 11, Make<TAnimObject>, false},
    {"cadrobj", "TCadrObject", "TObject", 18, Make<TCadrObject>, false},
    {"cadritemsobj", "TCadrItemsObject", "TObject", 19, Make<TCadrItemsObject>, false},
    {"udflex", "TUDFlexibleObject", "TFlexibleObject", 25, Make<TUDFlexibleObject>, false},
    {"tag_object", "TTagObject", "TObject", 38, Make<TTagObject>, false},
    {"labyrinth_object", "TLabyrinthObject", "TObject", 26, Make<TLabyrinthObject>, false},
    {"balance_object", "TBalanceObject", "TTransparentObject", 15, Make<TBalanceObject>, false},
    {"places_object", "TPlacesObject", "TObject", 33, Make<TPlacesObject>, false},
    {"places_handle_object", "TPlacesHandleObject", "TTransparentObject", 32, Make<TPlacesHandleObject>, false},
    {"places_handle_object2", "TPlacesHandleObject", "TTransparentObject", 32, Make<TPlacesHandleObject>, false},
    {"placesitems_object", "TPlacesItemsObject", "TObject", 33, Make<TPlacesItemsObject>, false},
    {"placesitems_handle_object", "TPlacesItemsHandleObject", "TTransparentObject", 32, Make<TPlacesItemsHandleObject>,
     false},
    {"placesitems_handle_object2", "TPlacesItemsHandleObject", "TTransparentObject", 32, Make<TPlacesItemsHandleObject>,
     false},
    {"ball_shooter_object", "TBallShooterObject", "TTransparentObject", 16, Make<TBallShooterObject>, false},
    {"asterix", "TAsterixObject", "TObject", 14, Make<TAsterixObject>, false},
    {"gun_ball", "TGunBallObject", "TObject", 0, Make<TGunBallObject>, false},
    {"moving_clock_arrow", "TMovingClockArrowObject", "TObject", 30, Make<TMovingClockArrowObject>, false},
    {"button_seq_control", "TButtonSequenceControlObject", "TObject", 17, Make<TButtonSequenceControlObject>, false},
    {"light_checkbutton", "TLightCheckButtonObject", "TObject", 27, Make<TLightCheckButtonObject>, false},
    {"light_checkbutton2", "TLCBResetOnUnlockObject", "TLightCheckButtonObject", 28, Make<TLCBResetOnUnlockObject>,
     false},
    {"slider", "TSliderObject", "TObject", 35, Make<TSliderObject>, false},
    {"dragslider", "TDragSliderObject", "TSliderObject", 36, Make<TDragSliderObject>, false},
    {"springedobj", "TSpringedObject", "TDragSliderObject", 37, Make<TSpringedObject>, false},
    {"timer", "TTimerObject", "TObject", 0, Make<TTimerObject>, false},
    {"shape", "TShapeObject", "TObject", 45, Make<TShapeObject>, false},
    {"focuser", "TFocuserObject", "TObject", 60, Make<TFocuserObject>, false},
    {"ghost", "TGhostObject", "TVideoObject", 22, Make<TGhostObject>, false},
    {"infrared", "TInfraredObject", "TObject", 23, Make<TInfraredObject>, false},
    {"clockarrow", "TClockArrowObject", "TObject", 20, Make<TClockArrowObject>, false},
    {"limitedarrow", "TLimitedArrowObject", "TDragClockArrowObject", 29, Make<TLimitedArrowObject>, false},
    {"clock", "TClockObject", "TObject", 21, Make<TClockObject>, false},
    {"video", "TVideoObject", "TObject", 10, Make<TVideoObject>, false},
    {"animfile", "TAnimFileObject", "TObject", 39, Make<TAnimFileObject>, false},
    {"transp", "TTransparentObject", "TObject", 40, Make<TTransparentObject>, false},
    {"bring_to_top", "TBringToTopObject", "TTransparentObject", 41, Make<TBringToTopObject>, false},
    {"group", "TGroupObject", "TTransparentObject", 42, Make<TGroupObject>, false},
    {"fgroup", "TFoudedGroupObject", "TGroupObject", 42, Make<TFoudedGroupObject>, false},
    {"slide_rotator", "TSlideImageRotator", "TObject", 43, Make<TSlideImageRotator>, false},
    {"case_lock", "TCaseLockObject", "TTransparentObject", 44, Make<TCaseLockObject>, false},
    {"rotator", "TRotatorObject", "TObject", 46, Make<TRotatorObject>, false},
    {"counter", "TActivateCounter", "TObject", 48, Make<TActivateCounter>, false},
    {"textinfo", "TTextInfoObject", "TObject", 49, Make<TTextInfoObject>, false},
    {"textinfoswitch", "TTextInfoSwitchImageObject", "TTextInfoObject", 50, Make<TTextInfoSwitchImageObject>, false},
    {"morph_obj", "TMorphingObject", "TObject", 51, Make<TMorphingObject>, false},
    {"double_morph_obj", "TDoubleMorphingObject", "TMorphingObject", 51, Make<TDoubleMorphingObject>, false},
    {"morph_obj2", "TMorphingObject2", "TObject", 52, Make<TMorphingObject2>, false},
    {"map_obj", "TMapObject", "TObject", 53, Make<TMapObject>, false},
    {"sound_obj", "TSoundObject", "TObject", 54, Make<TSoundObject>, false},
    {"me_group", "TMouseEventsGroup", "TObject", 55, Make<TMouseEventsGroup>, false},
    {"dialog_obj", "TDialogObject", "TObject", 56, Make<TDialogObject>, false},
    {"uv_obj", "TUVObject", "TObject", 57, Make<TUVObject>, false},
    {"uvspin_obj", "TUVSpinObject", "TUVObject", 59, Make<TUVSpinObject>, false},
    {"light_obj", "TLightObject", "TObject", 58, Make<TLightObject>, false},
    {"fading_video", "TLightObject", "TObject", 58, Make<TLightObject>, false},
    {"delay_loops_sound", "TDelayLoopsSoundObject", "TObject", 62, Make<TDelayLoopsSoundObject>, false},
    {"blending_obj", "TBlendingObject", "TObject", 63, Make<TBlendingObject>, false},
    {"collection_item", "TCollectionItemObject", "TObject", 64, Make<TCollectionItemObject>, false},
    {"note_collection", "TNoteCollectionObject", "TObject", 65, Make<TNoteCollectionObject>, false},
    {"note_collection_item", "TNoteCollectionItemObject", "TObject", 66, Make<TNoteCollectionItemObject>, false},
    {"doublescore", "TDoubleScoreObject", "TObject", 67, Make<TDoubleScoreObject>, false},
    {"doublescorecounter", "TDoubleHOCadrObject", "TCadrObject", 69, Make<TDoubleHOCadrObject>, false},
    {"text_obj", "TTextObject", "TObject", 68, Make<TTextObject>, false},
    {"change_on_click", "TChangeOnClickObject", "TObject", 70, Make<TChangeOnClickObject>, false},
    {"change_on_clickp", "TChangeOnClickParentObject", "TTransparentObject", 71, Make<TChangeOnClickParentObject>,
     false},
    {"spinner", "TSpinnerObject", "TObject", 72, Make<TSpinnerObject>, false},
    {"spinner_seq", "TSpinnerSequenceObject", "TTransparentObject", 73, Make<TSpinnerSequenceObject>, false},
    {"spinner_echo", "TSpinnerEchoObject", "TObject", 74, Make<TSpinnerEchoObject>, false},
    {"click_button", "TClickButtonObject", "TObject", 75, Make<TClickButtonObject>, false},
    {"change_on_activate", "TChangeOnActivateObject", "TObject", 76, Make<TChangeOnActivateObject>, false},
    {"change_on_activatep", "TChangeOnActivateParentObject", "TObject", 77, Make<TChangeOnActivateParentObject>, false},
    {"finish_video_wrapper", "TFinishVideoWrapperObject", "TObject", 78, Make<TFinishVideoWrapperObject>, false},
    {"conjunct_weight", "TConjunctWeightObject", "TObject", 79, Make<TConjunctWeightObject>, false},
    {"conjunct_weightp", "TConjunctWeightParentObject", "TTransparentObject", 80, Make<TConjunctWeightParentObject>,
     false},
    {"weight_system", "TWeightSystemObject", "TObject", 83, Make<TWeightSystemObject>, false},
    {"weight_part", "TWeightPartObject", "TObject", 82, Make<TWeightPartObject>, false},
    {"seq_show", "TShowSequenceObject", "TObject", 0, Make<TShowSequenceObject>, false},
    {"finder_mover", "TFinderMoverObject", "TMoverObject", 0, Make<TFinderMoverObject>, false},
    {"mouse_enter", "TMouseEnterObject", "TObject", 84, Make<TMouseEnterObject>, false},
    {"target", "TTargetObject", "TMoverObject", 85, Make<TTargetObject>, false},
    {"trajectorymovercadr2", "TrajectoryMoverCadrImage2Object", "TObject", 0, Make<TrajectoryMoverCadrImage2Object>,
     false},
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
