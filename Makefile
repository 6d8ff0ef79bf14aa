# Pintaflux: build, run and test on Debian or Ubuntu.
BUILD ?= build

.PHONY: all build run test bench dist clean bootstrap

all: build

bootstrap:
	@bash scripts/bootstrap.sh

build: bootstrap
	@bash scripts/build.sh $(BUILD)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@bash scripts/test.sh $(BUILD)

# Dab and repaint timings, and a stroke timed from the X side beside a floor
# program, at both depths; not part of the tests.
bench: build
	@bash scripts/bootstrap.sh bench
	@bash scripts/bench.sh $(BUILD)

# The Windows download, from a clean build of its own: dist/pintaflux-<version>-win32.zip.
dist: bootstrap
	@bash scripts/dist.sh $(BUILD)/dist dist

clean:
	rm -rf $(BUILD) dist
