# Pintaflux: build, run and test on Debian or Ubuntu.
BUILD ?= build

.PHONY: all build run test test-debian13 bench dist check-dist windows-tests clean bootstrap

all: build

bootstrap:
	@bash scripts/bootstrap.sh

build: bootstrap
	@bash scripts/build.sh $(BUILD)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@bash scripts/test.sh $(BUILD)

# Every test again in a Debian 13 root under its own Wine (10), made once
# with mmdebstrap and kept in $(BUILD)/roots.
test-debian13: bootstrap
	@echo "== every test, in the Debian 13 root"
	@BUILD=$(BUILD) bash scripts/in-root.sh trixie offline "" - \
	  "make --no-print-directory test BUILD=/var/build/test"

# The tests that need no X server and run-tests.cmd, which runs them on
# Windows: $(BUILD)/pintaflux-tests-<version>-win32.zip.
windows-tests: bootstrap
	@bash scripts/build.sh $(BUILD) windows_tests

# Dab and repaint timings, and a stroke timed from the X side beside a floor
# program, at both depths; not part of the tests.
bench: build
	@bash scripts/bootstrap.sh bench
	@bash scripts/bench.sh $(BUILD)

# The Windows download, from a clean build of its own in a Debian 12 root
# kept in $(BUILD)/roots, so that every host gives the same bytes:
# $(DIST)/pintaflux-<version>-win32.zip. The root gets its compiler online
# and builds offline.
DIST ?= dist
dist:
	@bash scripts/bootstrap.sh dist
	@BUILD=$(BUILD) bash scripts/in-root.sh bookworm offline dist-build $(DIST) \
	  "bash scripts/dist.sh /var/build/dist /out"

# The download made here and the one make dist makes on a Debian 13 host (in
# the root of test-debian13, online, where it makes a Debian 12 root of its
# own) must be the same bytes.
check-dist:
	@rm -rf $(BUILD)/check-dist
	@echo "== make dist on this host"
	@$(MAKE) --no-print-directory dist DIST=$(BUILD)/check-dist/this-host
	@echo "== make dist on a Debian 13 host (the root of make test-debian13)"
	@BUILD=$(BUILD) bash scripts/in-root.sh trixie online dist $(BUILD)/check-dist/debian13 \
	  "make --no-print-directory dist BUILD=/var/build/dist DIST=/out"
	@bash scripts/dist.sh compare $(BUILD)/check-dist/this-host $(BUILD)/check-dist/debian13

# The Debian roots in $(BUILD)/roots belong to root: removed through sudo
# when not root.
clean:
	@if [ -d $(BUILD)/roots ] && [ "$$(id -u)" -ne 0 ]; then sudo rm -rf $(BUILD)/roots; fi
	rm -rf $(BUILD) dist
