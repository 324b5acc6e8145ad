ardour {
	["type"] = "dsp",
	name = "Sorel Test Tone",
	category = "Utility",
	license = "MIT",
	author = "Sorel tests",
	description = [[Stereo test signal for the DAW render test: a 1 kHz sine
under a slow amplitude swell, the right channel phase-shifted and quieter.
Each sample is a function of the transport position alone, so two exports of
the same range receive the same samples, and the test can compute them.]]
}

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

local rate = 48000

function dsp_init (r)
	rate = r
end

-- Kept identical to tone() in ardour_render_test.py: same operations in the
-- same order, so both give the same doubles before rounding to float.
local function tone (t)
	local s = math.sin (2 * math.pi * 0.7 * t / rate)
	local swell = 0.3 + 0.5 * s * s
	local w = 2 * math.pi * 1000 * t / rate
	return swell * math.sin (w), 0.7 * swell * math.sin (w + 1.0)
end

function dsp_run (ins, outs, n_samples)
	local left = outs[1]:array ()
	local right = outs[2]:array ()
	local rolling = Session:transport_rolling ()
	local start = Session:transport_sample ()
	for i = 1, n_samples do
		if rolling then
			left[i], right[i] = tone (start + i - 1)
		else
			left[i], right[i] = 0, 0
		end
	end
end
