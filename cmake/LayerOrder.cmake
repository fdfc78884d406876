# The layers of src/, lowest first, read by the link check (LayerGuard.cmake)
# and the include check (IncludeCheck.cmake). A layer may use the layers
# before it in the list, but not its sibling: source and image are siblings
# over model, and neither uses the other.
set(ORV_LAYER_ORDER orv_platform orv_model orv_source orv_image orv_link
    orv_workspace orv_dialogs orv_gui)
set(ORV_LAYER_SIBLINGS orv_source orv_image)
