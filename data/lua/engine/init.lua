-- Runs first, before every other script: declares the engine's functions to
-- the foreign-function interface, sets up the `events` dispatcher, entities,
-- vectors and Lua components, then asks the engine to forward its events.

local ffi = require("ffi")

ffi.cdef[[
typedef struct lb_vec2 { float x; float y; } lb_vec2;
typedef struct lb_entity { uint32_t index; uint32_t id; } lb_entity;
typedef struct lb_texture { uint32_t id; int32_t width; int32_t height; } lb_texture;

void lb_engine_change_level(const char*);
bool lb_engine_has_save_file();
bool lb_engine_in_editor();
bool lb_engine_is_paused();
void lb_engine_load_level_restart(const char*);
void lb_engine_load_saved_level();
void lb_engine_pause();
void lb_engine_quit_game();
void lb_engine_save_on_unload(bool);
void lb_engine_unpause();
void lb_pause_menu_unpause();
void lb_print(const char*);

bool lb_sounds_all_muted();
bool lb_sounds_music_muted();
void lb_sounds_mute_all(bool);
void lb_sounds_mute_music(bool);
void lb_sounds_play(const char*);
void lb_sounds_play_hover();
void lb_sounds_play_select();
void lb_sounds_stop(const char*);

lb_vec2 lb_camera_get_pos();
void lb_camera_set_pos(float, float);
void lb_camera_set_scale(float);
bool lb_input_controller_preset();
bool lb_intput_get_key(int);
lb_vec2 lb_intput_get_mouse_pos();
lb_vec2 lb_intput_get_stick(int);

void lb_graphics_draw(lb_texture, uint32_t, uint32_t, float, float, float, float);
bool lb_graphics_get_fullscreen();
int lb_graphics_get_height();
int lb_graphics_get_width();
lb_texture lb_graphics_load_texture(const char*);
void lb_graphics_set_fullscreen(bool);
void lb_graphics_set_global_ambient_intensity(float);
void lb_debug_draw_circle(float, float, float);
void lb_debug_draw_line(float, float, float, float);
void lb_debug_draw_rect(float, float, float, float);
void lb_debug_draw_set_color(float, float, float, float);

lb_entity lb_create_entity();
void lb_destroy_entity(uint32_t, uint32_t);
void lb_entity_add_component(uint32_t, uint32_t, const char*);
lb_vec2 lb_entity_get_pos(uint32_t, uint32_t);
bool lb_entity_has_component(uint32_t, uint32_t, const char*);
void lb_entity_remove_component(uint32_t, uint32_t, const char*);
void lb_entity_set_pos(uint32_t, uint32_t, float, float);
void lb_entity_set_z(uint32_t, uint32_t, float);

void lb_serialize_number(const char*, double);
void lb_serialize_string(const char*, const char*);
void lb_connect_events();
void lb_register_component(const char*);
void lb_component_edit_double(const char*, float);
void lb_component_edit_string(const char*, const char*);

bool lb_sprite_get_clamped(uint32_t, uint32_t);
int lb_sprite_get_current_frame(uint32_t, uint32_t);
float lb_sprite_get_elapsed_time(uint32_t, uint32_t);
bool lb_sprite_get_environmental(uint32_t, uint32_t);
float lb_sprite_get_frame_time(uint32_t, uint32_t);
bool lb_sprite_get_looping(uint32_t, uint32_t);
void lb_sprite_set_clamped(uint32_t, uint32_t, bool);
void lb_sprite_set_current_frame(uint32_t, uint32_t, int);
void lb_sprite_set_elapsed_time(uint32_t, uint32_t, float);
void lb_sprite_set_environmental(uint32_t, uint32_t, bool);
void lb_sprite_set_frame_time(uint32_t, uint32_t, float);
void lb_sprite_set_looping(uint32_t, uint32_t, bool);
void lb_sprite_set_num_columns(uint32_t, uint32_t, int);
void lb_sprite_set_num_frames(uint32_t, uint32_t, int);
void lb_sprite_set_num_rows(uint32_t, uint32_t, int);
void lb_sprite_set_texture(uint32_t, uint32_t, const char*);
void lb_sprite_set_tint(uint32_t, uint32_t, float, float, float, float);
void lb_sprite_set_y_offset(uint32_t, uint32_t, float);

lb_vec2 lb_point_light_get_pos(uint32_t, uint32_t);
float lb_point_light_get_radius(uint32_t, uint32_t);
void lb_point_light_set_ambient_intensity(uint32_t, uint32_t, float);
void lb_point_light_set_attenuation(uint32_t, uint32_t, float, float, float);
void lb_point_light_set_color(uint32_t, uint32_t, float, float, float);
void lb_point_light_set_diffuse_intensity(uint32_t, uint32_t, float);
void lb_point_light_set_offset(uint32_t, uint32_t, float, float);
void lb_point_light_set_radius(uint32_t, uint32_t, float);
lb_vec2 lb_moon_light_get_pos(uint32_t, uint32_t);
void lb_moon_light_set_color(uint32_t, uint32_t, float, float, float);
void lb_moon_light_set_falloff(uint32_t, uint32_t, float);
void lb_moon_light_set_inner_radius(uint32_t, uint32_t, float);
void lb_moon_light_set_intensity(uint32_t, uint32_t, float);
void lb_moon_light_set_offset(uint32_t, uint32_t, float, float);
void lb_moon_light_set_outer_radius(uint32_t, uint32_t, float);
lb_vec2 lb_shadow_caster_get_pos(uint32_t, uint32_t);
void lb_shadow_caster_set_height(uint32_t, uint32_t, float);
void lb_shadow_caster_set_offset(uint32_t, uint32_t, float, float);
void lb_shadow_caster_set_width(uint32_t, uint32_t, float);

bool lb_collider_box_get_ghost(uint32_t, uint32_t);
bool lb_collider_box_get_static(uint32_t, uint32_t);
void lb_collider_box_set_center(uint32_t, uint32_t, float, float);
void lb_collider_box_set_ghost(uint32_t, uint32_t, bool);
void lb_collider_box_set_height(uint32_t, uint32_t, float);
void lb_collider_box_set_static(uint32_t, uint32_t, bool);
void lb_collider_box_set_width(uint32_t, uint32_t, float);
bool lb_collider_circle_get_ghost(uint32_t, uint32_t);
bool lb_collider_circle_get_static(uint32_t, uint32_t);
void lb_collider_circle_set_center(uint32_t, uint32_t, float, float);
void lb_collider_circle_set_ghost(uint32_t, uint32_t, bool);
void lb_collider_circle_set_radius(uint32_t, uint32_t, float);
void lb_collider_circle_set_static(uint32_t, uint32_t, bool);
lb_vec2 lb_rigidbody_get_velocity(uint32_t, uint32_t);
void lb_rigidbody_set_velocity(uint32_t, uint32_t, float, float);
]]

local C = ffi.C

-- Coroutines -----------------------------------------------------------------
-- Resuming a coroutine nests on the C stack, and LuaJIT sets no bound of its
-- own: coroutines resuming new coroutines without end would overflow it and
-- end the game. Past this depth resume fails as for any other error (false
-- and the message; wrap raises it), so the script can catch it.

do
    local resume, create, status = coroutine.resume, coroutine.create, coroutine.status
    local limit = 200
    local tooDeep = "coroutines nested more than " .. limit .. " deep"

    -- The coroutines inside a resume now, and how many. An error can strike
    -- after the count went up and before it comes down (a stack overflow
    -- as the results are handed back), leaving it too high; so at the bound
    -- it is taken again from the coroutines that really are still inside a
    -- resume, that is running or resuming another.
    local nested, depth = setmetatable({}, { __mode = "k" }), 0

    local function Recount()
        depth = 0
        for co in pairs(nested) do
            local now = status(co)
            if now == "running" or now == "normal" then depth = depth + 1 else nested[co] = nil end
        end
    end

    local function Leave(co, ...)
        nested[co] = nil
        depth = depth - 1
        return ...
    end

    local function Resume(co, ...)
        -- Not a coroutine, or one that cannot be resumed now: resume fails
        -- with its own error before anything nests.
        if type(co) ~= "thread" or status(co) ~= "suspended" then return resume(co, ...) end
        if depth >= limit then Recount() end
        if depth >= limit then return false, tooDeep end
        nested[co] = true
        depth = depth + 1
        return Leave(co, resume(co, ...))
    end

    -- An error inside the coroutine passes on as it is, without a position
    -- added at every level it crosses.
    local function Results(ok, ...)
        if ok then return ... end
        error((...), 0)
    end

    local function Wrap(fn)
        local co = create(fn)
        return function(...) return Results(Resume(co, ...)) end
    end

    -- Replaced in the library's own table, so require("coroutine") gets
    -- these too.
    coroutine.resume, coroutine.wrap = Resume, Wrap
end

-- Events ---------------------------------------------------------------------
-- The engine registers the events it forwards and raises each with
-- events.Call(name, ...). Scripts listen with events.Connect(name, id, fn):
-- one listener per id and event (connecting an id again replaces its
-- function), called in the order connected with the event's arguments after
-- its name. A listener may disconnect itself, or others, while it is called;
-- one that fails is reported and the others still run.

events = { listeners = {} }

-- Each event keeps its listeners in connection order (`list`) and by id
-- (`byId`). A disconnected listener is marked, not taken out, so that a call
-- in progress never walks a list that shifts under it; once the marked ones
-- are half the list they are dropped, so components made and destroyed leave
-- nothing behind, whether or not the event is ever raised.
local function Listeners(name)
    local event = events.listeners[name]
    if not event then
        event = { list = {}, byId = {}, marked = 0 }
        events.listeners[name] = event
    end
    return event
end

-- The unmarked listeners, in order. A call in progress keeps walking the
-- list it began with; this one becomes the event's.
local function Compact(event)
    local live, byId = {}, {}
    for _, entry in ipairs(event.list) do
        if not entry.removed then
            live[#live + 1] = entry
            byId[entry.id] = entry
        end
    end
    event.list, event.byId, event.marked = live, byId, 0
end

function events.Register(name)
    Listeners(name)
end

function events.Connect(name, id, fn)
    local event = Listeners(name)
    local entry = event.byId[id]
    if entry then
        entry.fn = fn
        return
    end
    entry = { id = id, fn = fn }
    event.list[#event.list + 1] = entry
    event.byId[id] = entry
end

function events.Disconnect(name, id)
    local event = events.listeners[name]
    local entry = event and event.byId[id]
    if not entry then return false end
    -- Its function and id go now: either may hold a whole component.
    entry.removed, entry.fn, entry.id = true, nil, nil
    event.byId[id] = nil
    event.marked = event.marked + 1
    if 2 * event.marked > #event.list then Compact(event) end
    return true
end

function events.Call(name, ...)
    local event = events.listeners[name]
    if not event then return end
    -- The listeners connected when the call begins, less those disconnected
    -- during it. A list is only ever appended to (compacting makes a new
    -- one), so listeners connected during the call lie past the length the
    -- loop took at its start and wait for the next call.
    local list = event.list
    for i = 1, #list do
        local entry = list[i]
        if not entry.removed then
            local ok, message = pcall(entry.fn, ...)
            if not ok then C.lb_print(tostring(message)) end
        end
    end
end

-- Vectors --------------------------------------------------------------------

Vector = {}
Vector.__index = Vector
Vector.__add = function(a, b) return lb_CreateVector(a.x + b.x, a.y + b.y) end
Vector.__sub = function(a, b) return lb_CreateVector(a.x - b.x, a.y - b.y) end
Vector.__mul = function(a, s) return lb_CreateVector(a.x * s, a.y * s) end
Vector.__eq = function(a, b) return a.x == b.x and a.y == b.y end
Vector.__tostring = function(v) return "(" .. v.x .. ", " .. v.y .. ")" end

function Vector:Length()
    return math.sqrt(self.x * self.x + self.y * self.y)
end

function lb_CreateVector(x, y)
    return setmetatable({ x = x, y = y }, Vector)
end

-- Entities -------------------------------------------------------------------
-- An entity is its table index and id. Entities are gone after a level
-- change, so keep none across one.

Entity = {}
Entity.__index = Entity
Entity.__eq = function(a, b) return a.id == b.id end

function lb_CreateEntity(index, id)
    return setmetatable({ index = index, id = id }, Entity)
end

function Entity.Create()
    local made = C.lb_create_entity()
    return lb_CreateEntity(made.index, made.id)
end

function Entity:Destroy() C.lb_destroy_entity(self.index, self.id) end
function Entity:GetPos()
    local position = C.lb_entity_get_pos(self.index, self.id)
    return lb_CreateVector(position.x, position.y)
end
function Entity:SetPos(x, y) C.lb_entity_set_pos(self.index, self.id, x, y) end
function Entity:SetZ(z) C.lb_entity_set_z(self.index, self.id, z) end
function Entity:AddComponent(typeName) C.lb_entity_add_component(self.index, self.id, typeName) end
function Entity:HasComponent(typeName) return C.lb_entity_has_component(self.index, self.id, typeName) end
function Entity:RemoveComponent(typeName) C.lb_entity_remove_component(self.index, self.id, typeName) end
-- The Lua component of that type on this entity, or nil.
function Entity:GetComponent(typeName) return components.Get(self, typeName) end

-- Lua components -------------------------------------------------------------
-- components.Register(name, definition) declares a component type. The
-- definition's `fields` table names the component's saved and edited data
-- with its default values (numbers and strings; a field with any other
-- default is refused); its optional functions
-- Initialize(self), Remove(self), Serialize(self) and Deserialize(self, data)
-- run at those moments, and any other function becomes a method. An
-- instance holds its fields, `entity` and `type`; self:Connect(event, fn)
-- listens to an event until the component is removed.

components = { types = {}, instances = {} }

local Component = {}

-- The instance itself is its listeners' id: no string id of a script can
-- meet it, and no other instance shares it. So each instance has at most one
-- listener per event: connecting an event again replaces the function the
-- instance connected before.
function Component:Connect(name, fn)
    events.Connect(name, self, function(...) fn(self, ...) end)
    self.connected[name] = true
end

-- Levels and the inspector know only numbers and strings: a field whose
-- default is anything else could be neither saved nor edited, so it is
-- refused (one line each) and the rest of the type stands. Refusing the
-- whole type would stop every level that holds it from loading over one
-- field.
local function SavableFields(typeName, fields)
    local savable = {}
    for key, default in pairs(fields) do
        local kind = type(default)
        if type(key) ~= "string" then
            C.lb_print("Lua Error: component \"" .. typeName .. "\" has a field named by a " .. type(key) ..
                       " (" .. tostring(key) .. "); field names are strings, the field is left out")
        elseif kind ~= "number" and kind ~= "string" then
            C.lb_print("Lua Error: component \"" .. typeName .. "\" field \"" .. key .. "\" has a " .. kind ..
                       " default; fields hold numbers and strings, the field is left out")
        else
            savable[key] = default
        end
    end
    return savable
end

function components.Register(name, definition)
    definition = definition or {}
    definition.fields = SavableFields(tostring(name), definition.fields or {})
    definition.__index = definition
    setmetatable(definition, { __index = Component })
    components.types[name] = definition
    components.instances[name] = components.instances[name] or {}
    C.lb_register_component(name)
end

function components.Get(entity, typeName)
    local instances = components.instances[typeName]
    return instances and entity and instances[entity.id]
end

local function Definition(typeName)
    local definition = components.types[typeName]
    if not definition then error("unknown Lua component type \"" .. tostring(typeName) .. "\"", 0) end
    return definition
end

-- Hands each field, in key order, to number or text by its value's type.
local function EachField(instance, number, text)
    local keys = {}
    for key in pairs(Definition(instance.type).fields) do keys[#keys + 1] = key end
    table.sort(keys)
    for _, key in ipairs(keys) do
        local value = instance[key]
        if type(value) == "number" then
            number(key, value)
        elseif type(value) == "string" then
            text(key, value)
        end
    end
end

function lb_AddComponent(entity, typeName)
    local definition = Definition(typeName)
    local instance = setmetatable({ entity = entity, type = typeName, connected = {} }, definition)
    for key, value in pairs(definition.fields) do instance[key] = value end
    components.instances[typeName][entity.id] = instance
end

function lb_InitializeComponent(entity, typeName)
    local instance = components.Get(entity, typeName)
    if instance and instance.Initialize then instance:Initialize() end
end

-- The component goes whatever its Remove does: an error there is raised
-- once the listeners are disconnected and the instance dropped.
function lb_RemoveComponent(entity, typeName)
    local instance = components.Get(entity, typeName)
    if not instance then return end
    local ok, message = true, nil
    if instance.Remove then ok, message = pcall(instance.Remove, instance) end
    for name in pairs(instance.connected) do events.Disconnect(name, instance) end
    components.instances[typeName][entity.id] = nil
    if not ok then error(message, 0) end
end

function lb_CopyComponent(entity, typeName, sourceEntity, sourceTypeName)
    local instance = components.Get(entity, typeName)
    local source = components.Get(sourceEntity, sourceTypeName)
    if not instance or not source then return end
    for key in pairs(Definition(typeName).fields) do instance[key] = source[key] end
end

function lb_SerializeComponent(entity, typeName)
    local instance = components.Get(entity, typeName)
    if not instance then return end
    if instance.Serialize then return instance:Serialize() end
    EachField(instance, C.lb_serialize_number, C.lb_serialize_string)
end

function lb_DeserializeComponent(entity, typeName, data)
    local instance = components.Get(entity, typeName)
    if not instance then return end
    if instance.Deserialize then return instance:Deserialize(data) end
    for key, default in pairs(Definition(typeName).fields) do
        if type(data[key]) == type(default) then instance[key] = data[key] end
    end
end

function lb_ComponentEditInfoDisplay(entity, typeName)
    local instance = components.Get(entity, typeName)
    if not instance then return end
    EachField(instance, C.lb_component_edit_double, C.lb_component_edit_string)
end

function lb_ComponentEditInfoSet(entity, typeName, key, value)
    local instance = components.Get(entity, typeName)
    if instance then instance[key] = value end
end

C.lb_connect_events()
