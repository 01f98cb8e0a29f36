# The README's commands. Each installs what the machine lacks first.
.PHONY: demo test deps build build-win64 build-host-asan build-host-tsan test-win64 test-host-asan test-host-tsan fuzz clean wine-shell

JOBS ?= 2
WINE_PREFIX := $(CURDIR)/build/win64/wineprefix

test: deps
	$(MAKE) --no-print-directory build
	@status=0; \
	$(MAKE) --no-print-directory test-host-asan || status=1; \
	$(MAKE) --no-print-directory test-host-tsan || status=1; \
	$(MAKE) --no-print-directory fuzz || status=1; \
	$(MAKE) --no-print-directory test-win64 || status=1; \
	exit $$status

# The sample café and the program on it: on your display, or as the guided
# tour with screenshots (TOUR=1, or when there is no display).
demo: deps
	@cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS) --target Trevand trevand_demo
	TOUR=$(TOUR) ./scripts/demo

deps:
	@./scripts/install-deps

build: build-win64 build-host-asan build-host-tsan

define build_preset
	@cmake --preset $(1) >/dev/null
	cmake --build --preset $(1) -j $(JOBS)
endef

build-win64:
	$(call build_preset,win64)

build-host-asan:
	$(call build_preset,host-asan)

build-host-tsan:
	$(call build_preset,host-tsan)

test-win64:
	./scripts/wine-session --prefix $(WINE_PREFIX) ctest --preset win64

test-host-asan:
	ctest --preset host-asan

test-host-tsan:
	ctest --preset host-tsan

# Bounded libFuzzer runs of the fuzz targets (about a minute in all).
fuzz:
	./scripts/run-fuzz

# A shell whose wine commands use the project's prefix and code page.
wine-shell:
	@bash -c '. scripts/wine-env.sh; wine_setup_env $(WINE_PREFIX); exec bash -i'

clean:
	rm -rf build
