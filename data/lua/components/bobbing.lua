-- Floats its entity up and down around the place it was put, `amplitude`
-- world units each way, once every `period` seconds. It stays put in the
-- editor, so a saved level keeps the entity's own position.
local ffi = require("ffi")

components.Register("Bobbing", {
    fields = { amplitude = 2, period = 2 },

    Initialize = function(self)
        self.base = self.entity:GetPos()
        self.time = 0
        self:Connect("LogicUpdate", function(self, dt)
            if ffi.C.lb_engine_in_editor() or self.period <= 0 then return end
            self.time = self.time + dt
            local offset = self.amplitude * math.sin(2 * math.pi * self.time / self.period)
            self.entity:SetPos(self.base.x, self.base.y + offset)
        end)
    end,
})
