#pragma once
// Every function the executable exports to Lua, with its C signature: the one
// list that declares them to C++ here (so a definition that strays from it
// does not compile) and that the tests hold the Lua declarations of
// "lua/engine/init.lua" against. An entity crosses as two uint32_t (table
// index, id); a bool is one byte.
//
// QM_EXPORT(result, name, (parameter types))

#include <cstdint>

#include "scripting/export_types.h"

// Engine, level, pause and print.
#define QM_ENGINE_EXPORTS                                              \
    QM_EXPORT(void, lb_engine_change_level, (const char*))             \
    QM_EXPORT(bool, lb_engine_has_save_file, ())                       \
    QM_EXPORT(bool, lb_engine_in_editor, ())                           \
    QM_EXPORT(bool, lb_engine_is_paused, ())                           \
    QM_EXPORT(void, lb_engine_load_level_restart, (const char*))       \
    QM_EXPORT(void, lb_engine_load_saved_level, ())                    \
    QM_EXPORT(void, lb_engine_pause, ())                               \
    QM_EXPORT(void, lb_engine_quit_game, ())                           \
    QM_EXPORT(void, lb_engine_save_on_unload, (bool))                  \
    QM_EXPORT(void, lb_engine_unpause, ())                             \
    QM_EXPORT(void, lb_pause_menu_unpause, ())                         \
    QM_EXPORT(void, lb_print, (const char*))

#define QM_SOUND_EXPORTS                                               \
    QM_EXPORT(bool, lb_sounds_all_muted, ())                           \
    QM_EXPORT(bool, lb_sounds_music_muted, ())                         \
    QM_EXPORT(void, lb_sounds_mute_all, (bool))                        \
    QM_EXPORT(void, lb_sounds_mute_music, (bool))                      \
    QM_EXPORT(void, lb_sounds_play, (const char*))                     \
    QM_EXPORT(void, lb_sounds_play_hover, ())                          \
    QM_EXPORT(void, lb_sounds_play_select, ())                         \
    QM_EXPORT(void, lb_sounds_stop, (const char*))

#define QM_CAMERA_INPUT_EXPORTS                                        \
    QM_EXPORT(lb_vec2, lb_camera_get_pos, ())                          \
    QM_EXPORT(void, lb_camera_set_pos, (float, float))                 \
    QM_EXPORT(void, lb_camera_set_scale, (float))                      \
    QM_EXPORT(bool, lb_input_controller_preset, ())                    \
    QM_EXPORT(bool, lb_intput_get_key, (int))                          \
    QM_EXPORT(lb_vec2, lb_intput_get_mouse_pos, ())                    \
    QM_EXPORT(lb_vec2, lb_intput_get_stick, (int))

#define QM_GRAPHICS_EXPORTS                                                                          \
    QM_EXPORT(void, lb_graphics_draw, (lb_texture, uint32_t, uint32_t, float, float, float, float)) \
    QM_EXPORT(bool, lb_graphics_get_fullscreen, ())                                                  \
    QM_EXPORT(int, lb_graphics_get_height, ())                                                       \
    QM_EXPORT(int, lb_graphics_get_width, ())                                                        \
    QM_EXPORT(lb_texture, lb_graphics_load_texture, (const char*))                                   \
    QM_EXPORT(void, lb_graphics_set_fullscreen, (bool))                                              \
    QM_EXPORT(void, lb_graphics_set_global_ambient_intensity, (float))                               \
    QM_EXPORT(void, lb_debug_draw_circle, (float, float, float))                                     \
    QM_EXPORT(void, lb_debug_draw_line, (float, float, float, float))                                \
    QM_EXPORT(void, lb_debug_draw_rect, (float, float, float, float))                                \
    QM_EXPORT(void, lb_debug_draw_set_color, (float, float, float, float))

#define QM_ENTITY_EXPORTS                                                          \
    QM_EXPORT(lb_entity, lb_create_entity, ())                                     \
    QM_EXPORT(void, lb_destroy_entity, (uint32_t, uint32_t))                       \
    QM_EXPORT(void, lb_entity_add_component, (uint32_t, uint32_t, const char*))    \
    QM_EXPORT(lb_vec2, lb_entity_get_pos, (uint32_t, uint32_t))                    \
    QM_EXPORT(bool, lb_entity_has_component, (uint32_t, uint32_t, const char*))    \
    QM_EXPORT(void, lb_entity_remove_component, (uint32_t, uint32_t, const char*)) \
    QM_EXPORT(void, lb_entity_set_pos, (uint32_t, uint32_t, float, float))         \
    QM_EXPORT(void, lb_entity_set_z, (uint32_t, uint32_t, float))

// Serialisation, the event bridge, Lua component types and their edit widgets.
#define QM_SCRIPTING_EXPORTS                                              \
    QM_EXPORT(void, lb_serialize_number, (const char*, double))           \
    QM_EXPORT(void, lb_serialize_string, (const char*, const char*))      \
    QM_EXPORT(void, lb_connect_events, ())                                \
    QM_EXPORT(void, lb_register_component, (const char*))                 \
    QM_EXPORT(void, lb_component_edit_double, (const char*, float))       \
    QM_EXPORT(void, lb_component_edit_string, (const char*, const char*))

#define QM_SPRITE_EXPORTS                                                                  \
    QM_EXPORT(bool, lb_sprite_get_clamped, (uint32_t, uint32_t))                           \
    QM_EXPORT(int, lb_sprite_get_current_frame, (uint32_t, uint32_t))                      \
    QM_EXPORT(float, lb_sprite_get_elapsed_time, (uint32_t, uint32_t))                     \
    QM_EXPORT(bool, lb_sprite_get_environmental, (uint32_t, uint32_t))                     \
    QM_EXPORT(float, lb_sprite_get_frame_time, (uint32_t, uint32_t))                       \
    QM_EXPORT(bool, lb_sprite_get_looping, (uint32_t, uint32_t))                           \
    QM_EXPORT(void, lb_sprite_set_clamped, (uint32_t, uint32_t, bool))                     \
    QM_EXPORT(void, lb_sprite_set_current_frame, (uint32_t, uint32_t, int))                \
    QM_EXPORT(void, lb_sprite_set_elapsed_time, (uint32_t, uint32_t, float))               \
    QM_EXPORT(void, lb_sprite_set_environmental, (uint32_t, uint32_t, bool))               \
    QM_EXPORT(void, lb_sprite_set_frame_time, (uint32_t, uint32_t, float))                 \
    QM_EXPORT(void, lb_sprite_set_looping, (uint32_t, uint32_t, bool))                     \
    QM_EXPORT(void, lb_sprite_set_num_columns, (uint32_t, uint32_t, int))                  \
    QM_EXPORT(void, lb_sprite_set_num_frames, (uint32_t, uint32_t, int))                   \
    QM_EXPORT(void, lb_sprite_set_num_rows, (uint32_t, uint32_t, int))                     \
    QM_EXPORT(void, lb_sprite_set_texture, (uint32_t, uint32_t, const char*))              \
    QM_EXPORT(void, lb_sprite_set_tint, (uint32_t, uint32_t, float, float, float, float))  \
    QM_EXPORT(void, lb_sprite_set_y_offset, (uint32_t, uint32_t, float))

#define QM_LIGHT_EXPORTS                                                                         \
    QM_EXPORT(lb_vec2, lb_point_light_get_pos, (uint32_t, uint32_t))                             \
    QM_EXPORT(float, lb_point_light_get_radius, (uint32_t, uint32_t))                            \
    QM_EXPORT(void, lb_point_light_set_ambient_intensity, (uint32_t, uint32_t, float))           \
    QM_EXPORT(void, lb_point_light_set_attenuation, (uint32_t, uint32_t, float, float, float))   \
    QM_EXPORT(void, lb_point_light_set_color, (uint32_t, uint32_t, float, float, float))         \
    QM_EXPORT(void, lb_point_light_set_diffuse_intensity, (uint32_t, uint32_t, float))           \
    QM_EXPORT(void, lb_point_light_set_offset, (uint32_t, uint32_t, float, float))               \
    QM_EXPORT(void, lb_point_light_set_radius, (uint32_t, uint32_t, float))                      \
    QM_EXPORT(lb_vec2, lb_moon_light_get_pos, (uint32_t, uint32_t))                              \
    QM_EXPORT(void, lb_moon_light_set_color, (uint32_t, uint32_t, float, float, float))          \
    QM_EXPORT(void, lb_moon_light_set_falloff, (uint32_t, uint32_t, float))                      \
    QM_EXPORT(void, lb_moon_light_set_inner_radius, (uint32_t, uint32_t, float))                 \
    QM_EXPORT(void, lb_moon_light_set_intensity, (uint32_t, uint32_t, float))                    \
    QM_EXPORT(void, lb_moon_light_set_offset, (uint32_t, uint32_t, float, float))                \
    QM_EXPORT(void, lb_moon_light_set_outer_radius, (uint32_t, uint32_t, float))                 \
    QM_EXPORT(lb_vec2, lb_shadow_caster_get_pos, (uint32_t, uint32_t))                           \
    QM_EXPORT(void, lb_shadow_caster_set_height, (uint32_t, uint32_t, float))                    \
    QM_EXPORT(void, lb_shadow_caster_set_offset, (uint32_t, uint32_t, float, float))             \
    QM_EXPORT(void, lb_shadow_caster_set_width, (uint32_t, uint32_t, float))

#define QM_BODY_EXPORTS                                                                 \
    QM_EXPORT(bool, lb_collider_box_get_ghost, (uint32_t, uint32_t))                    \
    QM_EXPORT(bool, lb_collider_box_get_static, (uint32_t, uint32_t))                   \
    QM_EXPORT(void, lb_collider_box_set_center, (uint32_t, uint32_t, float, float))     \
    QM_EXPORT(void, lb_collider_box_set_ghost, (uint32_t, uint32_t, bool))              \
    QM_EXPORT(void, lb_collider_box_set_height, (uint32_t, uint32_t, float))            \
    QM_EXPORT(void, lb_collider_box_set_static, (uint32_t, uint32_t, bool))             \
    QM_EXPORT(void, lb_collider_box_set_width, (uint32_t, uint32_t, float))             \
    QM_EXPORT(bool, lb_collider_circle_get_ghost, (uint32_t, uint32_t))                 \
    QM_EXPORT(bool, lb_collider_circle_get_static, (uint32_t, uint32_t))                \
    QM_EXPORT(void, lb_collider_circle_set_center, (uint32_t, uint32_t, float, float))  \
    QM_EXPORT(void, lb_collider_circle_set_ghost, (uint32_t, uint32_t, bool))           \
    QM_EXPORT(void, lb_collider_circle_set_radius, (uint32_t, uint32_t, float))         \
    QM_EXPORT(void, lb_collider_circle_set_static, (uint32_t, uint32_t, bool))          \
    QM_EXPORT(lb_vec2, lb_rigidbody_get_velocity, (uint32_t, uint32_t))                 \
    QM_EXPORT(void, lb_rigidbody_set_velocity, (uint32_t, uint32_t, float, float))

// The functions that drive the engine, and those that reach one component.
#define QM_ENGINE_SIDE_EXPORTS \
    QM_ENGINE_EXPORTS QM_SOUND_EXPORTS QM_CAMERA_INPUT_EXPORTS QM_GRAPHICS_EXPORTS QM_ENTITY_EXPORTS QM_SCRIPTING_EXPORTS
#define QM_COMPONENT_EXPORTS QM_SPRITE_EXPORTS QM_LIGHT_EXPORTS QM_BODY_EXPORTS
#define QM_ALL_EXPORTS QM_ENGINE_SIDE_EXPORTS QM_COMPONENT_EXPORTS

#define QM_EXPORT(result, name, parameters) extern "C" result name parameters;
QM_ALL_EXPORTS
#undef QM_EXPORT
